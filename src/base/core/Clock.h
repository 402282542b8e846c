#pragma once

#include <QDateTime>

namespace core {

// The one source of "now": the real clock reads the system time, tests set a fake one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace core
