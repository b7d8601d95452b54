#include "store/BrowseFolder.h"

#include <QDir>
#include <QFileInfo>

#include "app/Context.h"

namespace BrowseFolder {

QString BrowseForFolder(Context &ctx, const QString &title, const QString &start)
{
    FileDialogRequest request;
    request.title = title;
    request.folder = QFileInfo(start).isDir() ? start : QDir::homePath();
    return ctx.fileDialogs().chooseFolder(request);
}

} // namespace BrowseFolder
