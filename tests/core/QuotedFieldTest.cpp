// A quoted record field is written only when it reads back as the same text: every text
// the writer accepts comes back whole from a written record line, every other text is
// refused before anything is written.
#include <gtest/gtest.h>

#include "support/Errors.h"
#include "support/QtPrint.h"

#include "core/AppError.h"
#include "core/TextFile.h"

TEST(QuotedField, WhatIsWrittenReadsBackAndWhatCannotIsRefused)
{
    const QString accepted[] = {
        "",       "Ann",  "Baker's Game, Deluxe", " blanks around ", "Zoë – ünïcode", "'single'",
        "#date#", "a\\b", QString(300, u'x')};
    for (const QString &text : accepted) {
        ASSERT_TRUE(TextFile::isQuotable(text)) << text.toStdString();
        // The record as a file holds it: one line, the field followed by another.
        const QStringList lines =
            TextFile::splitLines(TextFile::decode(TextFile::joinLines({TextFile::quoted(text) + ",7"})));
        ASSERT_EQ(lines.size(), 1) << text.toStdString();
        const QList<TextFile::Field> fields = TextFile::parseRecord(lines[0]);
        ASSERT_EQ(fields.size(), 2) << text.toStdString();
        EXPECT_EQ(fields[0].text, text);
        EXPECT_TRUE(fields[0].quoted);
        EXPECT_EQ(fields[1].text, "7");
    }

    const QString refused[] = {
        "Ann \"the Fox\"",          "\"", "two\r\nlines", "line\n", "cr\r", "tab\there", QString(u'\u0001'),
        QStringLiteral("del\u007f")};
    for (const QString &text : refused) {
        EXPECT_FALSE(TextFile::isQuotable(text)) << text.toStdString();
        QString message;
        EXPECT_EQ(errorOf([&] { TextFile::quoted(text); }, &message), err::InvalidCall) << text.toStdString();
        // The message names the text, on one line.
        EXPECT_FALSE(message.contains(u'\r') || message.contains(u'\n')) << message.toStdString();
    }
    QString message;
    errorOf([] { TextFile::quoted("Ann \"the Fox\""); }, &message);
    EXPECT_TRUE(message.contains("Ann \"the Fox\"")) << message.toStdString();
}
