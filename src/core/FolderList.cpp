#include "core/FolderList.h"

#include <QDir>

#include <algorithm>

namespace FolderList {

void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

static QStringList list(const QString &folder, QDir::Filters filters)
{
    QStringList names = QDir(folder).entryList(filters | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    sortNames(names);
    return names;
}

QStringList files(const QString &folder)
{
    return list(folder, QDir::Files);
}

QStringList folders(const QString &folder)
{
    return list(folder, QDir::Dirs);
}

QString join(const QString &folder, const QString &name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

} // namespace FolderList
