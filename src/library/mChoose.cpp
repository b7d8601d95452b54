#include "library/mChoose.h"

#include <QLocale>
#include <algorithm>

#include "store/mOptions.h"

namespace mChoose {

std::int64_t GetMaxGameNumber(Context &ctx)
{
    return mOptions::RangeLimit(std::clamp<int>(mOptions::GetRangeIndex(ctx), 1, mOptions::kMaxRangeIndex));
}

QString FormatMax(std::int64_t max)
{
    return QLocale().toString(static_cast<qlonglong>(max));
}

QString RangeMessage(std::int64_t max)
{
    return QStringLiteral("Please enter a number between 0 and ") + FormatMax(max);
}

std::optional<std::int64_t> AcceptedNumber(const QString &text, std::int64_t max)
{
    const QString digits = text.trimmed();
    // Fifteen digits hold every allowed number; more, leading zeros aside, are too large.
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(),
                                         [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar c : digits) {
        value = value * 10 + (c.unicode() - '0');
        if (value >= max)
            return std::nullopt;
    }
    if (value <= 0)
        return std::nullopt;
    return value;
}

} // namespace mChoose
