#include "base/system/PluginLoader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QPluginLoader>

#include <mutex>

namespace sys {

namespace {

QString pluginPath(const QString& name)
{
    const QString fileName = name + QStringLiteral(".so");
    for (const QString& folder : partFolders()) {
        const QFileInfo candidate(folder + '/' + fileName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return fileName; // QPluginLoader's error then names what it looked for
}

} // namespace

QStringList partFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return QStringList{programFolder + QStringLiteral("/../lib/sprechkit"),
                       programFolder + QStringLiteral("/lib/sprechkit")} +
           QCoreApplication::libraryPaths();
}

core::ResultOf<QObject*> loadPlugin(const QString& name)
{
    static std::mutex mutex;
    // Never unloaded: their objects live as long as the program.
    static auto* const loaded = new QHash<QString, QPluginLoader*>;
    const std::lock_guard lock(mutex);
    if (QPluginLoader* loader = loaded->value(name))
        return loader->instance();
    auto* loader = new QPluginLoader(pluginPath(name));
    QObject* instance = loader->instance();
    if (!instance) {
        const QString reason = loader->errorString();
        delete loader;
        return core::Result::failure(QStringLiteral("The plugin %1 cannot be loaded: %2").arg(name, reason));
    }
    loaded->insert(name, loader);
    return instance;
}

} // namespace sys
