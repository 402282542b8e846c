#pragma once

#include <QString>

namespace core {

// "major.minor" with two-digit minor and a revision letter: 2, 3, 2 gives "2.03b"; revision 0 no letter,
// 9999 "ß".
QString formatProgVer(int major, int minor, int revision);
// The program's own version, set in CMake.
QString GetProgVer();

} // namespace core
