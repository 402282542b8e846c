#include "engine/tags/TagWriter.h"

#include "base/system/PluginLoader.h"
#include "engine/tags/TagPlugin.h"

namespace tags {

core::Result writeTags(const QString& path, const audiobook::TagValues& values)
{
    const core::ResultOf<TagPlugin*> plugin = sys::loadPluginAs<TagPlugin>(kTagPluginName);
    if (!plugin)
        return core::Result::failure(QStringLiteral("Cannot write the tags of \"%1\": %2").arg(path, plugin.error()));
    return plugin.value()->writeTags(path, values);
}

} // namespace tags
