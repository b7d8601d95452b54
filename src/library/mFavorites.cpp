#include "library/mFavorites.h"

namespace mFavorites {

bool IsValidFileName(const QString &name)
{
    for (const QChar c : name) {
        // Control characters would break the one-line records these names are kept in.
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
        switch (c.unicode()) {
        case u'\\':
        case u'/':
        case u':':
        case u'*':
        case u'?':
        case u'"':
        case u'<':
        case u'>':
        case u'|': return false;
        default: break;
        }
    }
    return true;
}

void SaveFavorite(Context &, const QString &) {}

void BuildFavMenu(Context &) {}

} // namespace mFavorites
