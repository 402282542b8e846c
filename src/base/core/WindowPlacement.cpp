#include "base/core/WindowPlacement.h"

#include <limits>

namespace core {

namespace {

// How far apart two rectangles lie, squared (0 when they touch or overlap).
qint64 distanceSquared(const QRect& a, const QRect& b)
{
    const qint64 dx = qMax<qint64>(0, qMax<qint64>(qint64(a.left()) - b.right(), qint64(b.left()) - a.right()));
    const qint64 dy = qMax<qint64>(0, qMax<qint64>(qint64(a.top()) - b.bottom(), qint64(b.top()) - a.bottom()));
    return dx * dx + dy * dy;
}

// start moved so that [start, start + length) lies in [low, high); a length that does not fit starts at low.
int fitInto(int start, int length, int low, int high)
{
    return qMax(low, qMin(start, high - length));
}

} // namespace

QPoint visiblePosition(const QRect& window, const QList<QRect>& screens)
{
    const QRect* nearest = nullptr;
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screens) {
        if (screen.intersects(window))
            return window.topLeft();
        if (const qint64 distance = distanceSquared(window, screen); distance < nearestDistance) {
            nearest = &screen;
            nearestDistance = distance;
        }
    }
    if (!nearest)
        return window.topLeft();
    return {fitInto(window.x(), window.width(), nearest->left(), nearest->left() + nearest->width()),
            fitInto(window.y(), window.height(), nearest->top(), nearest->top() + nearest->height())};
}

} // namespace core
