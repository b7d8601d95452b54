#include "core/GameNumber.h"

#include "core/AppError.h"

GameNumber GameNumber::fromNumber(std::int64_t value)
{
    if (value > MaxValue || value < -MaxValue)
        raiseError(err::Overflow);
    return GameNumber(value, false);
}

int GameNumber::parse(const QString &t, std::int64_t &value)
{
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i >= t.size())
        return err::TypeMismatch;
    value = 0;
    int digits = 0;
    for (; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].unicode() > 127)
            return err::TypeMismatch;
        value = value * 10 + (t[i].unicode() - u'0');
        if (value != 0 || digits > 0)
            ++digits;
        if (digits > 15)
            return err::Overflow;
    }
    if (negative)
        value = -value;
    return 0;
}

GameNumber GameNumber::fromText(const QString &text)
{
    const QString t = text.trimmed();
    std::int64_t value = 0;
    if (const int error = parse(t, value))
        raiseError(error);
    return GameNumber(value, true, t);
}

bool GameNumber::isNumberText(const QString &text)
{
    std::int64_t value = 0;
    return parse(text.trimmed(), value) == 0;
}

GameNumber GameNumber::parseNumber(const QString &text)
{
    return fromNumber(fromText(text).value());
}
