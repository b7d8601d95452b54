#include "core/GameNumber.h"

#include "core/AppError.h"

GameNumber GameNumber::fromNumber(std::int64_t value)
{
    if (value > MaxValue || value < -MaxValue)
        raiseError(err::Overflow);
    return GameNumber(value, false);
}

GameNumber GameNumber::fromText(const QString &text)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i >= t.size())
        raiseError(err::TypeMismatch);
    std::int64_t value = 0;
    int digits = 0;
    for (; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].unicode() > 127)
            raiseError(err::TypeMismatch);
        value = value * 10 + (t[i].unicode() - u'0');
        if (value != 0 || digits > 0)
            ++digits;
        if (digits > 15)
            raiseError(err::Overflow);
    }
    return GameNumber(negative ? -value : value, true, t);
}

GameNumber GameNumber::parseNumber(const QString &text)
{
    return fromNumber(fromText(text).value());
}
