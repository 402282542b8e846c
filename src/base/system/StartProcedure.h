#pragma once

namespace sys {

class Registry;

struct StartFlags {
    bool isAdminRun = false;          // the machine-wide store can be written
    bool machineControlInUse = false; // without administrator rights, this run uses a machine-wide installation
};

// The administrator test through the registry: writes "OK" as "HKLM\Software\Classes\.!Check", reads it back and
// deletes it again. Only a run that could also delete it counts as an administrator's: a value left behind by an
// earlier run must not make a reader without rights look like one.
StartFlags checkStart(Registry& registry, bool machineWideInstallation);

// The program's first step, before any window: the test against the real stores; the flags hold for the run.
void runStartProcedure();
bool IsAdminRun();
bool MachineControlInUse();

} // namespace sys
