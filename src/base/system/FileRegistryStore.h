#pragma once

#include "base/system/RegistryBackend.h"
#include "base/system/RegistryJson.h"

#include <functional>

namespace sys {

// The registry kept in files of our own: one JSON file per root, the current user's in the user's config folder,
// the local machine's in a machine-wide folder that only the administrator can write. Other roots read as empty
// and refuse writes. Every change re-reads the file and replaces it through a temporary file and a rename, under
// a lock file, so a second instance writing at the same time loses nothing and a reader never sees half a file.
// A file that cannot be parsed reads as empty and is never overwritten.
class FileRegistryStore : public RegistryBackend {
public:
    FileRegistryStore(QString userFolder, QString machineFolder);
    ~FileRegistryStore() override;

    // ~/.config/Sprechkit (XDG_CONFIG_HOME) and /var/lib/sprechkit.
    static QString defaultUserFolder();
    static QString defaultMachineFolder();
    // The file that holds a root, or empty for a root without a store.
    QString fileName(RootKey root) const;

    bool keyExists(RootKey root, const QString& keyPath) const override;
    core::Result createKey(RootKey root, const QString& keyPath) override;
    core::Result deleteKey(RootKey root, const QString& keyPath) override;
    std::optional<RegistryValue> value(RootKey root, const QString& keyPath, const QString& name) const override;
    core::Result setValue(RootKey root, const QString& keyPath, const QString& name,
                          const RegistryValue& value) override;
    core::Result deleteValue(RootKey root, const QString& keyPath, const QString& name) override;
    std::optional<QStringList> subkeyNames(RootKey root, const QString& keyPath) const override;

private:
    core::ResultOf<RegistryNode> load(RootKey root) const;
    // Runs change on the root's tree under the lock and stores the result when change succeeds.
    core::Result modify(RootKey root, const std::function<core::Result(RegistryNode&)>& change);

    QString m_userFolder;
    QString m_machineFolder;
};

} // namespace sys
