#pragma once

#include <QTemporaryDir>

#include <memory>

namespace app {

// Qt looks into the user's runtime folder while it makes the application object (for the file a Flatpak sandbox
// puts there) and, when XDG_RUNTIME_DIR is not set, as under cron or SSH, warns about it on stderr. Outside a
// sandbox that file is nowhere, so an empty private folder gives Qt the same answer without the warning: lent from
// construction until restore(), after which XDG_RUNTIME_DIR is as it was for the sound server's client library
// and for child processes.
class StandInRuntimeFolder {
public:
    StandInRuntimeFolder();
    ~StandInRuntimeFolder() { restore(); }
    StandInRuntimeFolder(const StandInRuntimeFolder&) = delete;
    StandInRuntimeFolder& operator=(const StandInRuntimeFolder&) = delete;

    void restore();

private:
    std::unique_ptr<QTemporaryDir> m_folder; // null: the environment names a runtime folder
    bool m_wasSet = false;                   // set, but empty
};

} // namespace app
