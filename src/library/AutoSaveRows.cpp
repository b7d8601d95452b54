#include "library/AutoSaveRows.h"

#include <QFile>
#include <QFileInfo>

#include "core/AppError.h"
#include "engine/mFunc.h"
#include "library/mAutoSave.h"
#include "store/mFile.h"

namespace AutoSaveRows {

AutoSaveRow Read(const QString &path, bool finished)
{
    AutoSaveRow row;
    row.key = path;
    row.text = QFileInfo(path).fileName().chopped(4);
    row.tag = row.text;
    try {
        const SavedGameInfo info = mFile::ReadGameHeader(path);
        row.tag = info.GameName + QStringLiteral(" - ") + info.GameNo.toString();
        row.date = info.DatePlayed;
        row.time = mFunc::FormatTime(info.Time);
        row.value = finished ? QString::number(info.Score) : QString::number(info.Percentage) + QLatin1Char('%');
    } catch (const AppError &) {
        // A damaged header shows the file by its title alone.
    }
    return row;
}

QList<AutoSaveRow> List(Context &ctx, bool finished)
{
    const QStringList files = mAutoSave::GetAutoSaveFiles(ctx, finished);
    QList<AutoSaveRow> rows;
    rows.reserve(files.size() - 1);
    for (qsizetype i = 1; i < files.size(); ++i)
        rows << Read(files[i], finished);
    return rows;
}

void DeleteFile(const QString &path)
{
    const QFileDevice::Permissions writable =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo info(path);
    if (info.exists() && !(info.permissions() & writable))
        raiseError(err::PermissionDenied, QStringLiteral("Permission denied: %1").arg(path));
    QFile file(path);
    if (!file.remove())
        raiseError(err::PathFileAccess,
                   QStringLiteral("Could not delete the file %1: %2").arg(path, file.errorString()));
}

} // namespace AutoSaveRows
