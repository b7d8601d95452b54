// The clock seam: every "now" the program stamps into a file or groups statistics by
// comes from here, so tests set the time instead of waiting for it. The system clock
// reads the local time; the fixed clock answers what it was set to.
#pragma once

#include <QDateTime>

class IClock {
public:
    virtual ~IClock() = default;
    // The current local date and time.
    virtual QDateTime now() const = 0;
};

class SystemClock : public IClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until it is set or moved on.
class FixedClock : public IClock {
public:
    explicit FixedClock(const QDateTime &when = QDateTime(QDate(2026, 12, 8), QTime(22, 15, 3))) : now_(when) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime &when) { now_ = when; }
    void advance(qint64 seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_;
};
