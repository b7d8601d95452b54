#include "platform/QtFileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace {

QString runDialog(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void prepare(QFileDialog &dialog, const FileDialogRequest &request)
{
    dialog.setWindowTitle(request.title);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    const QString filter = QtFileDialog::toQtFilter(request.filter);
    if (!filter.isEmpty())
        dialog.setNameFilter(filter);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

} // namespace

QString QtFileDialog::toQtFilter(const QString &classic)
{
    if (classic.isEmpty())
        return {};
    const QStringList parts = classic.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (i + 1 >= parts.size()) {
            filters << description;
            break;
        }
        QStringList globs = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &glob : globs)
            glob = glob.trimmed();
        const QString patterns = globs.join(QLatin1Char(' '));
        const QString bracketed = QStringLiteral("(") + patterns + QStringLiteral(")");
        if (patterns.isEmpty()) {
            filters << description;
            continue;
        }
        // A description that already ends in its patterns keeps them once, written as Qt
        // reads them: separated by blanks, not by ";".
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0) {
            QString listed = description.mid(open + 1, description.size() - open - 2);
            listed.replace(QLatin1Char(';'), QLatin1Char(' '));
            if (listed.split(QLatin1Char(' '), Qt::SkipEmptyParts) == globs) {
                filters << description.left(open) + bracketed;
                continue;
            }
        }
        filters << description + QStringLiteral(" ") + bracketed;
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtFileDialog::openFile(const FileDialogRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepare(dialog, request);
    return runDialog(dialog);
}

QString QtFileDialog::saveFile(const FileDialogRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QString suffix = request.defaultExt;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    prepare(dialog, request);
    return runDialog(dialog);
}

QString QtFileDialog::chooseFolder(const FileDialogRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setWindowTitle(request.title);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    return runDialog(dialog);
}
