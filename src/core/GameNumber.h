// A game number: a whole number of up to 15 digits that remembers whether it was
// given as a number or as text, because the files write the two forms differently
// (printed with blanks, or the text as it was given). Both forms name the same deal.
// Every reader and every maker of a game number goes through the one rule of fromText.
#pragma once

#include <QString>
#include <cstdint>
#include <utility>

class GameNumber {
public:
    // The largest number of 15 digits.
    static constexpr std::int64_t MaxValue = 999999999999999LL;

    GameNumber() = default;
    // Raises overflow beyond 15 digits.
    static GameNumber fromNumber(std::int64_t value);
    // Parses a text form: optional blanks around an optional sign and decimal digits, at
    // most 15 of them after any leading zeros. Raises the type-mismatch error for anything
    // else, overflow beyond 15 digits. The trimmed text is kept.
    static GameNumber fromText(const QString &text);
    // The same rule for a number written bare in a file; held as a number.
    static GameNumber parseNumber(const QString &text);
    // True when fromText accepts the text, so a list can leave out what cannot be dealt.
    static bool isNumberText(const QString &text);

    std::int64_t value() const { return value_; }
    bool isText() const { return isText_; }
    // The digits, with a leading "-" when negative.
    QString toString() const { return QString::number(value_); }
    // The text the number was given as (trimmed), or its digits when it is a number.
    QString text() const { return isText_ ? text_ : toString(); }

    bool operator==(const GameNumber &other) const { return value_ == other.value_; }

private:
    // The rule of fromText: 0 and the value, or the error number it raises.
    static int parse(const QString &trimmed, std::int64_t &value);
    GameNumber(std::int64_t value, bool isText, QString text = {})
        : value_(value), isText_(isText), text_(std::move(text))
    {
    }
    std::int64_t value_ = 0;
    bool isText_ = false;
    QString text_;
};
