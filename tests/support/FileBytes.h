// A file's bytes read or written whole, and its modification time set; a file that cannot
// be opened fails the test.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

QByteArray bytesOf(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
void setModified(const QString &path, const QDateTime &when);
