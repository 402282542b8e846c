#include "base/system/StartProcedure.h"

#include "base/core/ProgramLocation.h"
#include "base/system/FileRegistryStore.h"
#include "base/system/Registry.h"

#include <QFileInfo>

namespace sys {

namespace {

StartFlags& flags()
{
    static StartFlags startFlags;
    return startFlags;
}

} // namespace

StartFlags checkStart(Registry& registry, bool machineWideInstallation)
{
    const QString check = QStringLiteral("HKLM\\Software\\Classes\\.!Check");
    StartFlags result;
    registry.write(check, QStringLiteral("OK"));
    if (registry.read(check).toString() == QLatin1String("OK"))
        result.isAdminRun = registry.read(check, Registry::DeleteValue).toBool();
    result.machineControlInUse = !result.isAdminRun && machineWideInstallation;
    return result;
}

void runStartProcedure()
{
    FileRegistryStore store(FileRegistryStore::defaultUserFolder(), FileRegistryStore::defaultMachineFolder());
    Registry registry(store);
    // Machine-wide: an installed copy in a folder this user cannot change (not one installed below the home).
    const bool machineWide = core::isInstalledCopy() && !QFileInfo(core::GetExeDir()).isWritable();
    flags() = checkStart(registry, machineWide);
}

bool IsAdminRun()
{
    return flags().isAdminRun;
}

bool MachineControlInUse()
{
    return flags().machineControlInUse;
}

} // namespace sys
