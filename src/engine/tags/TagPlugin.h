#pragma once

#include "base/audiobook/TagValues.h"
#include "base/core/Result.h"

#include <QString>
#include <QtPlugin>

namespace tags {

// The plugin that writes tags (TagLib is loaded only with it); writeTags() below says what it does.
class TagPlugin {
public:
    virtual ~TagPlugin() = default;
    virtual core::Result writeTags(const QString& path, const audiobook::TagValues& values) const = 0;
};

inline const QString kTagPluginName = QStringLiteral("sprechkit-tags");

} // namespace tags

#define SprechkitTagPlugin_iid "de.sprechkit.TagPlugin/1"
Q_DECLARE_INTERFACE(tags::TagPlugin, SprechkitTagPlugin_iid)
