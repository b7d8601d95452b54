// A game number: a whole number of up to 15 digits that remembers whether it was
// given as a number or as text, because the files write the two forms differently
// (printed with blanks, or bare). Both forms name the same deal.
#pragma once

#include <QString>
#include <cstdint>

class GameNumber {
public:
    GameNumber() = default;
    static GameNumber fromNumber(std::int64_t value) { return GameNumber(value, false); }
    // Parses a text form: optional blanks around an optional sign and decimal digits.
    // Raises the type-mismatch error for anything else, overflow beyond 15 digits.
    static GameNumber fromText(const QString &text);

    std::int64_t value() const { return value_; }
    bool isText() const { return isText_; }
    // The digits, with a leading "-" when negative.
    QString toString() const { return QString::number(value_); }

    bool operator==(const GameNumber &other) const { return value_ == other.value_; }

private:
    GameNumber(std::int64_t value, bool isText) : value_(value), isText_(isText) {}
    std::int64_t value_ = 0;
    bool isText_ = false;
};
