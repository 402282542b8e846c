#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace core {

// Where a window stored at window.topLeft() opens: where it was when any part of it is on one of the screens
// (their available areas), otherwise moved onto the nearest screen, as far as its size lets it stay in there.
QPoint visiblePosition(const QRect& window, const QList<QRect>& screens);

} // namespace core
