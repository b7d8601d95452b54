// Favourite names: the file-name check shared by favourites, folders, studio games
// and colour schemes.
#pragma once

#include <QString>

namespace mFavorites {
// True when the name holds none of \ / : * ? " < > | and no control character.
bool IsValidFileName(const QString &name);
} // namespace mFavorites
