// A settings writer that refuses writes: every one, or only those of the given numbers
// (counted from 1), which the real atomic writer then carries out. A refusal gives the
// reason it was told, "" (no reason known) unless told otherwise.
#pragma once

#include <QList>
#include <QString>
#include <utility>

#include "platform/SettingsFile.h"

class RefusingWriter : public SettingsWriter {
public:
    RefusingWriter() = default;
    explicit RefusingWriter(QList<int> refused) : all_(false), refused_(std::move(refused)) {}

    bool write(const QString &path, const QByteArray &bytes) override
    {
        ++count_;
        refusedLast_ = all_ || refused_.contains(count_);
        return !refusedLast_ && real_.write(path, bytes);
    }
    QString reason() const override { return refusedLast_ ? why : real_.reason(); }

    QString why;

private:
    bool all_ = true;
    QList<int> refused_;
    int count_ = 0;
    bool refusedLast_ = false;
    AtomicFileWriter real_;
};
