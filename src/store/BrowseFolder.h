// The folder picker: lets the user choose a folder through the file-dialog seam. The
// picker opens on the start folder, or on the home folder when that is missing.
#pragma once

#include <QString>

class Context;

namespace BrowseFolder {
// The chosen folder's full path; "" when the user cancels.
QString BrowseForFolder(Context &ctx, const QString &title, const QString &start);
} // namespace BrowseFolder
