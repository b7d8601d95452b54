#include "library/mRecent.h"

// Stand-in until the recent lists are wired in: every list is empty and stays so.
namespace mRecent {

void AddRecent(Context &, std::int32_t, const QString &) {}

QStringList GetRecent(Context &, std::int32_t)
{
    QStringList result(11);
    result[0] = QStringLiteral("0");
    return result;
}

void ClearRecent(Context &, std::int32_t) {}

std::int16_t GetRecentCount(Context &, std::int32_t)
{
    return 0;
}

void RefreshRecentMenus(Context &) {}

} // namespace mRecent
