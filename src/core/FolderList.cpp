#include "core/FolderList.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <algorithm>

namespace FolderList {

void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

// stat follows links and never opens the entry, so asking cannot block.
static bool hasType(const QString &path, mode_t type)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & S_IFMT) == type;
}

static QStringList list(const QString &folder, QDir::Filters filters)
{
    QStringList names = QDir(folder).entryList(filters | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    sortNames(names);
    return names;
}

QStringList files(const QString &folder)
{
    QStringList names = list(folder, QDir::Files);
    names.removeIf([&](const QString &name) { return !isRegularFile(join(folder, name)); });
    return names;
}

QStringList folders(const QString &folder)
{
    // The system filter that hidden entries need also lets FIFOs and devices through.
    QStringList names = list(folder, QDir::Dirs);
    names.removeIf([&](const QString &name) { return !hasType(join(folder, name), S_IFDIR); });
    return names;
}

bool isRegularFile(const QString &path)
{
    return hasType(path, S_IFREG);
}

QString join(const QString &folder, const QString &name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

} // namespace FolderList
