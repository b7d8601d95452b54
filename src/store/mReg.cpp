#include "store/mReg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>

#include "app/Context.h"
#include "core/FolderList.h"
#include "platform/Guard.h"
#include "store/cData.h"

namespace mReg {

namespace {
// A desktop entry's string value: backslashes and control characters escaped.
QString entryString(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

// Writes the file whole or not at all; false on any failure.
bool writeWhole(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
} // namespace

QString MimePackagePath(Context &ctx)
{
    return FolderList::join(ctx.shellFolders().dataHomeFolder(), QStringLiteral("mime/packages/") +
                                                                     ctx.data().ProdNameX().toLower() +
                                                                     QStringLiteral(".xml"));
}

QString DesktopEntryPath(Context &ctx)
{
    // Not the installed launcher's own name, so this hidden entry never hides it.
    return FolderList::join(ctx.shellFolders().dataHomeFolder(), QStringLiteral("applications/") +
                                                                     ctx.data().ProdNameX().toLower() +
                                                                     QStringLiteral("-files.desktop"));
}

QString MimeType(Context &ctx, bool finished)
{
    return QStringLiteral("application/x-") + ctx.data().ProdNameX().toLower() +
           (finished ? QStringLiteral("-finished") : QStringLiteral("-incomplete"));
}

QByteArray MimePackage(Context &ctx)
{
    const cData &data = ctx.data();
    const QString name = data.ProdNameX().toHtmlEscaped();
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    const struct {
        bool finished;
        QString word;
        QString ext;
    } kinds[] = {{true, QStringLiteral("Finished"), data.FinExt()},
                 {false, QStringLiteral("Incomplete"), data.IncExt()}};
    for (const auto &kind : kinds) {
        xml += QStringLiteral("  <mime-type type=\"%1\">\n").arg(MimeType(ctx, kind.finished));
        xml += QStringLiteral("    <comment>%1 %2 Game</comment>\n").arg(name, kind.word);
        // The installed program brings an icon named after each type; a program that is not
        // installed shows a saved game with the desktop's document icon.
        xml += QStringLiteral("    <generic-icon name=\"x-office-document\"/>\n");
        xml += QStringLiteral("    <glob pattern=\"*%1\"/>\n").arg(kind.ext.toHtmlEscaped());
        xml += QStringLiteral("  </mime-type>\n");
    }
    xml += QStringLiteral("</mime-info>\n");
    return xml.toUtf8();
}

QString ExecArgument(const QString &program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return entryString(QLatin1Char('"') + quoted + QLatin1Char('"'));
}

QByteArray DesktopEntry(Context &ctx, const QString &program)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n");
    text += QStringLiteral("Name=") + entryString(ctx.data().ProdName()) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + ExecArgument(program) + QStringLiteral(" %f\n");
    text += QStringLiteral("TryExec=") + entryString(program) + QLatin1Char('\n');
    text += QStringLiteral("Icon=") + ctx.data().ProdNameX().toLower() + QLatin1Char('\n');
    text += QStringLiteral("MimeType=") + MimeType(ctx, true) + QLatin1Char(';') + MimeType(ctx, false) +
            QStringLiteral(";\n");
    // Opens saved games only: no launcher of its own in the menus.
    text += QStringLiteral("NoDisplay=true\n");
    return text.toUtf8();
}

QString GetClassDefault(Context &ctx, const QString &extension)
{
    if (!QFileInfo(DesktopEntryPath(ctx)).isFile())
        return {};
    QFile file(MimePackagePath(ctx));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString wanted = QLatin1Char('*') + extension;
    QXmlStreamReader xml(&file);
    QString type;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("mime-type"))
            type = xml.attributes().value(QLatin1String("type")).toString();
        else if (xml.name() == QLatin1String("glob") &&
                 xml.attributes().value(QLatin1String("pattern")).compare(wanted, Qt::CaseInsensitive) == 0)
            return type;
    }
    return {};
}

void RegisterFileTypes(Context &ctx)
{
    RegisterFileTypesFor(ctx, QCoreApplication::applicationFilePath());
}

void RegisterFileTypesFor(Context &ctx, const QString &program)
{
    // A line break cannot be written into an Exec line at all.
    if (program.isEmpty() || program.contains(QLatin1Char('\n')) || program.contains(QLatin1Char('\r')))
        return;
    ignoreErrors([&] {
        const QString data = ctx.shellFolders().dataHomeFolder();
        if (data.isEmpty())
            return;
        const bool mime = writeWhole(MimePackagePath(ctx), MimePackage(ctx));
        const bool entry = writeWhole(DesktopEntryPath(ctx), DesktopEntry(ctx, program));
        if (mime)
            ctx.desktopTools().runDetached(QStringLiteral("update-mime-database"),
                                           {FolderList::join(data, QStringLiteral("mime"))});
        if (entry)
            ctx.desktopTools().runDetached(QStringLiteral("update-desktop-database"),
                                           {FolderList::join(data, QStringLiteral("applications"))});
    });
}

} // namespace mReg
