#pragma once

namespace core {

// Repairs what the process inherited, before anything opens a file or asks for the standard folders:
// - a closed standard descriptor (0, 1 or 2) is taken by /dev/null, so that no file the program opens later gets
//   its number and is read as input or overwritten by output;
// - without a usable HOME (unset, empty or "/"), the home folder comes from the user database, so that settings
//   never land in /.config.
// False, after saying why on stderr, when no home folder can be found: the program must not run then.
bool repairProcessEnvironment();

// True when the process started with its standard input closed (it now reads /dev/null).
bool standardInputWasClosed();

} // namespace core
