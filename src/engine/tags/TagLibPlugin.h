#pragma once

#include "engine/tags/TagPlugin.h"

#include <QObject>

namespace tags {

// The tag plugin on TagLib.
class TagLibPlugin : public QObject, public TagPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SprechkitTagPlugin_iid)
    Q_INTERFACES(tags::TagPlugin)
public:
    core::Result writeTags(const QString& path, const audiobook::TagValues& values) const override;
};

} // namespace tags
