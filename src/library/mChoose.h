// The rules of choosing a deal by its number: the range the number must fall in (both
// bounds excluded) and what text counts as a number, so that every number accepted can
// be written to a file and read back.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class Context;

namespace mChoose {
// 10^d - 1 for d the option "RangeIndex" held to 1..15, as random numbers are drawn.
std::int64_t GetMaxGameNumber(Context &ctx);
// max with the thousands grouped as the locale groups them: "999,999".
QString FormatMax(std::int64_t max);
// "Please enter a number between 0 and " + the grouped max.
QString RangeMessage(std::int64_t max);
// The value of text that holds only decimal digits once trimmed, with 0 < value < max;
// none for anything else ("1,000", "1e3", "+5", "12.5", "", too many digits).
std::optional<std::int64_t> AcceptedNumber(const QString &text, std::int64_t max);
} // namespace mChoose
