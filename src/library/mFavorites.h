// Favourite names: the file-name check shared by favourites, folders, studio games
// and colour schemes, and the adding of the game in play to the favourites (nothing is
// written until the favourites are kept).
#pragma once

#include <QString>

class Context;

namespace mFavorites {
// True when the name holds none of \ / : * ? " < > | and no control character.
bool IsValidFileName(const QString &name);
// Adds the game in play to the favourites: under the given path, or with its default
// name in the favourites folder when none is given; then rebuilds the favourites menu.
void SaveFavorite(Context &ctx, const QString &path = {});
// Rebuilds the favourites submenu from the favourites folder (nothing to show yet).
void BuildFavMenu(Context &ctx);
} // namespace mFavorites
