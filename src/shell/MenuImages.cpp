#include "shell/MenuImages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "shell/mMenu.h"

namespace {
// Freedesktop names by key; the first one the theme has is used.
const QHash<QString, QStringList> &themeNames()
{
    static const QHash<QString, QStringList> names = {
        {QStringLiteral("FOLDER"), {QStringLiteral("folder")}},
        {QStringLiteral("FILE"), {QStringLiteral("text-x-generic")}},
        {QStringLiteral("New"), {QStringLiteral("document-new")}},
        {QStringLiteral("Select"), {QStringLiteral("view-list-icons"), QStringLiteral("view-grid")}},
        {QStringLiteral("Restart"), {QStringLiteral("view-refresh")}},
        {QStringLiteral("Open"), {QStringLiteral("document-open")}},
        {QStringLiteral("Save"), {QStringLiteral("document-save")}},
        {QStringLiteral("UndoAll"), {QStringLiteral("go-first")}},
        {QStringLiteral("Undo"), {QStringLiteral("edit-undo")}},
        {QStringLiteral("Redo"), {QStringLiteral("edit-redo")}},
        {QStringLiteral("RedoAll"), {QStringLiteral("go-last")}},
        {QStringLiteral("AutoPlay"), {QStringLiteral("media-playlist-play"), QStringLiteral("system-run")}},
        {QStringLiteral("Pause"), {QStringLiteral("media-playback-pause")}},
        {QStringLiteral("Back"), {QStringLiteral("media-seek-backward")}},
        {QStringLiteral("Stop"), {QStringLiteral("media-playback-stop")}},
        {QStringLiteral("Forward"), {QStringLiteral("media-seek-forward")}},
        {QStringLiteral("MovesMan"), {QStringLiteral("view-list-details")}},
        {QStringLiteral("AddFav"), {QStringLiteral("bookmark-new")}},
        {QStringLiteral("OrgFav"), {QStringLiteral("bookmarks-organize"), QStringLiteral("bookmarks")}},
        {QStringLiteral("AddPend"), {QStringLiteral("list-add")}},
        {QStringLiteral("OrgPend"), {QStringLiteral("view-list-text")}},
        {QStringLiteral("HighScore"), {QStringLiteral("games-highscores")}},
        {QStringLiteral("GameStat"), {QStringLiteral("office-chart-bar"), QStringLiteral("view-statistics")}},
        {QStringLiteral("Sounds"), {QStringLiteral("audio-volume-high")}},
        {QStringLiteral("Background"), {QStringLiteral("preferences-desktop-wallpaper")}},
        {QStringLiteral("Players"), {QStringLiteral("system-users"), QStringLiteral("user-identity")}},
        {QStringLiteral("AutoSave"), {QStringLiteral("document-save-all")}},
        {QStringLiteral("Hot"), {QStringLiteral("games-hint"), QStringLiteral("emblem-favorite")}},
        {QStringLiteral("History"), {QStringLiteral("view-history"), QStringLiteral("document-open-recent")}},
        {QStringLiteral("Options"), {QStringLiteral("configure"), QStringLiteral("preferences-system")}},
        {QStringLiteral("Rules"), {QStringLiteral("help-hint"), QStringLiteral("help-about")}},
        {QStringLiteral("Contents"), {QStringLiteral("help-contents")}},
        {QStringLiteral("Recent"), {QStringLiteral("document-open-recent")}},
        {QStringLiteral("Toolbar"), {QStringLiteral("configure-toolbars")}},
        {QStringLiteral("Wizard"), {QStringLiteral("tools-wizard")}},
        {QStringLiteral("Editor"), {QStringLiteral("document-edit")}},
    };
    return names;
}

// A playing card with a spade: the game icon, and the icon of any key the theme lacks
// (with the key's first letter on it).
QIcon paintedIcon(const QString &letter)
{
    QIcon icon;
    for (const int size : {16, 22, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF card(size * 0.18, size * 0.06, size * 0.64, size * 0.88);
        p.setPen(QPen(QColor(60, 60, 60), size / 16.0));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, size * 0.08, size * 0.08);
        p.setPen(QColor(20, 20, 20));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(static_cast<int>(size * 0.5));
        p.setFont(font);
        p.drawText(card, Qt::AlignCenter, letter.isEmpty() ? QStringLiteral("\u2660") : letter);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

namespace MenuImages {

QIcon Icon(const QString &key)
{
    for (const QString &name : themeNames().value(key)) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    if (key == QLatin1String("Q1"))
        return paintedIcon(QString());
    return paintedIcon(key.left(1));
}

QList<QIcon> ImageList()
{
    QList<QIcon> icons;
    for (const QString &key : mMenu::ImageKeys())
        icons << Icon(key);
    return icons;
}

} // namespace MenuImages
