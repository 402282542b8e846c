#pragma once

#include "base/core/Clock.h"

// A clock that stands still until the test moves it.
class FakeClock final : public core::Clock {
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 12, 5), QTime(9, 7, 3)))
        : m_now(std::move(now))
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};
