#pragma once

#include "base/core/Result.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace sys {

// Parts of the program whose libraries are large and which most runs never need (Poppler for PDF, TagLib for tags)
// live in plugins of their own, so that every start does not pay for loading them: a plugin is loaded on its first
// use and stays for the program's life. The plugin "name" is the file name.so, looked for in partFolders(). A
// failure names the plugin and why Qt could not load it (missing, not a plugin, built for another Qt).
// Thread-safe.
core::ResultOf<QObject*> loadPlugin(const QString& name);

// Where the program's own parts (plugins, helper programs) lie, in the order they are looked for:
// <program folder>/../lib/sprechkit (installed), <program folder>/lib/sprechkit (the build tree), then Qt's library
// paths (where the tests add the build's). Needs the application object.
QStringList partFolders();

// The plugin's instance as its interface; fails when the plugin does not implement it.
template <typename Interface> core::ResultOf<Interface*> loadPluginAs(const QString& name)
{
    const core::ResultOf<QObject*> plugin = loadPlugin(name);
    if (!plugin)
        return plugin.result();
    if (Interface* wanted = qobject_cast<Interface*>(plugin.value()))
        return wanted;
    return core::Result::failure(QStringLiteral("The plugin %1 is of another kind.").arg(name));
}

} // namespace sys
