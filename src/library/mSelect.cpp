#include "library/mSelect.h"

#include <algorithm>

namespace mSelect {

QString GetNamePart(const QString &text)
{
    // With p the 1-based place of the dash, the name is the first p - 2 characters.
    const qsizetype p = text.indexOf(QLatin1Char('-')) + 1;
    if (p < 2)
        return {};
    return text.left(p - 2);
}

QString GetNumberPart(const QString &text)
{
    // The number is the last length - p - 1 characters.
    const qsizetype p = text.indexOf(QLatin1Char('-')) + 1;
    if (p < 1)
        return {};
    return text.right(std::max<qsizetype>(0, text.size() - p - 1));
}

} // namespace mSelect
