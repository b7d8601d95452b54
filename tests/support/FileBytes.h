// A file's bytes read or written whole; a file that cannot be opened fails the test.
#pragma once

#include <QByteArray>
#include <QString>

QByteArray bytesOf(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
