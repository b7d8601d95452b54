#include "library/mFavorites.h"

namespace mFavorites {

bool IsValidFileName(const QString &name)
{
    for (const QChar c : name) {
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

} // namespace mFavorites
