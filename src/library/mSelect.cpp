#include "library/mSelect.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <functional>

#include "app/Context.h"
#include "app/mGen1.h"
#include "core/AppError.h"
#include "core/GameNumber.h"
#include "engine/cCustom.h"
#include "engine/mFunc.h"
#include "engine/mGenNames.h"
#include "engine/mStudio.h"
#include "library/mAutoSave.h"
#include "library/mFavorites.h"
#include "library/mPending.h"
#include "library/mRecent.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "store/cData.h"
#include "store/SavedHeaders.h"
#include "store/mFile.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"

namespace mSelect {

namespace {

const QString kSection = QStringLiteral("Select");

bool isFileCategory(const QString &c)
{
    static const QStringList keys = {QStringLiteral("Inc"),   QStringLiteral("Pend"),  QStringLiteral("Fin"),
                                     QStringLiteral("rSave"), QStringLiteral("rOpen"), QStringLiteral("Save")};
    return keys.contains(c);
}

// Builds a category's tree: the root first, then entries; the entry whose key was
// chosen last in the category is selected (the last match wins).
class TreeBuilder {
public:
    TreeBuilder(Context &ctx, const QString &rootKey, const QString &rootText, bool bold)
        : last_(GetLastItem(ctx, ctx.gSelectCategory))
    {
        tree_.nodes.append({rootKey, rootText, {}, -1, QStringLiteral("Folder"), {}, bold});
    }
    int add(const QString &key, const QString &text, const QString &tag, int parent = 0)
    {
        tree_.nodes.append({key, text, tag, parent, QStringLiteral("Game"), QStringLiteral("Game1"), false});
        const int index = static_cast<int>(tree_.nodes.size()) - 1;
        if (key == last_)
            tree_.selected = index;
        return index;
    }
    int addFolder(const QString &key, const QString &text)
    {
        tree_.nodes.append({key, text, {}, 0, QStringLiteral("Folder"), {}, false});
        const int index = static_cast<int>(tree_.nodes.size()) - 1;
        if (key == last_)
            tree_.selected = index;
        return index;
    }
    SelectNode &node(int index) { return tree_.nodes[index]; }
    SelectTree take() { return std::move(tree_); }

private:
    QString last_;
    SelectTree tree_;
};

// Entries 1..count of a list result.
QStringList entries(const QStringList &list)
{
    const qsizetype count = list.isEmpty() ? 0 : std::clamp<qsizetype>(list.first().toLongLong(), 0, list.size() - 1);
    return list.mid(1, count);
}

// The header of a listed file, none when it cannot be read (damaged, gone, unreadable).
// Headers of files unchanged since an earlier listing come from memory.
std::optional<SavedGameInfo> header(Context &ctx, const QString &path)
{
    std::optional<SavedGameInfo> info;
    ignoreErrors([&] { info = ctx.savedHeaders().read(path); });
    return info;
}

QString percentText(const SavedGameInfo &h)
{
    return QStringLiteral(" (") + QString::number(h.Percentage) + QStringLiteral("%)");
}

QString gameAndNumber(const SavedGameInfo &h)
{
    return h.GameName + QStringLiteral(" - ") + h.GameNo.text() + percentText(h);
}

// A tree of files: text made from the header, the game's name as Tag; files that cannot
// be read are left out. Read later, a header not kept lists its file under its title
// until it is read; the entry chosen last is read at once, as it is shown chosen.
SelectTree fileTree(Context &ctx, const QString &rootText, bool bold, const QStringList &paths, bool mustExist,
                    HeaderReads reads, const std::function<QString(const QString &, const SavedGameInfo &)> &text)
{
    TreeBuilder tree(ctx, QStringLiteral("m"), rootText, bold);
    const QString last = GetLastItem(ctx, ctx.gSelectCategory);
    for (const QString &path : paths) {
        if (mustExist && !QFileInfo(path).isFile())
            continue;
        std::optional<SavedGameInfo> h =
            reads == HeaderReads::Now || path == last ? header(ctx, path) : ctx.savedHeaders().kept(path);
        if (h) {
            tree.add(path, text(path, *h), h->GameName);
        } else if (reads == HeaderReads::Later && path != last) {
            const int index = tree.add(path, mPending::PendingTitle(path), QString());
            tree.node(index).pending = true;
        }
    }
    SelectTree out = tree.take();
    out.fileText = text;
    return out;
}

QStringList fileLines(const QString &category, const SavedGameInfo &h)
{
    QStringList lines = {QStringLiteral("Game Name :") + h.GameName,
                         QStringLiteral("Game Number :") + h.GameNo.text(),
                         QStringLiteral("Date Played :") + h.DatePlayed,
                         QStringLiteral("Total Moves :") + QString::number(h.Moves),
                         QStringLiteral("Score Achieved :") + QString::number(h.Score),
                         QStringLiteral("Time Taken : ") + mFunc::FormatTime(h.Time)};
    if (category != QLatin1String("Fin"))
        lines.append(QStringLiteral("Percentage Completed :") + QString::number(h.Percentage) + QStringLiteral("%"));
    return lines;
}

QStringList gameLines(Context &ctx, const QString &category, const QString &name, const QString &key)
{
    const cData &data = ctx.data();
    const QString number = category == QLatin1String("rPlay") ? GetNumberPart(key) : QStringLiteral("Random");
    return {QStringLiteral("Game Name : ") + name, QStringLiteral("Game Number : ") + number,
            QStringLiteral("Game Type :") +
                (data.IsOriginal(name) ? QStringLiteral("Created") : QStringLiteral("Standard")),
            QStringLiteral("No of Decks :") + data.GetDeck(name),
            QStringLiteral("Hot Game :") +
                (mGen1::GetHotFlag(ctx, name) == 1 ? QStringLiteral("Yes") : QStringLiteral("No"))};
}

// The details of an entry, its definition loaded into gCustom; raises when the entry
// cannot be read.
QStringList details(Context &ctx, const QString &category, const SelectNode &node)
{
    cCustom &custom = ctx.custom();
    if (isFileCategory(category)) {
        const SavedGameInfo h = ctx.savedHeaders().read(node.key);
        custom.SetDefinition(h.Definition);
        return fileLines(category, h);
    }
    if (category == QLatin1String("Fav")) {
        const FavoriteInfo fav = mFile::ReadFavRecord(node.key);
        if (!custom.Init(node.tag))
            raiseError(err::FileNotFound, QStringLiteral("The game %1 cannot be loaded").arg(node.tag));
        return {QStringLiteral("Game Name :") + fav.GameName, QStringLiteral("Game Number :") + fav.GameNo.text(),
                QStringLiteral("Date Added :") + mFile::GeneralDate(fav.DateCreated),
                QStringLiteral("Added By :") + fav.AddedBy};
    }
    QStringList lines = gameLines(ctx, category, node.tag, node.key);
    if (!custom.Init(node.tag))
        raiseError(err::FileNotFound, QStringLiteral("The game %1 cannot be loaded").arg(node.tag));
    return lines;
}

} // namespace

const QStringList &CategoryKeys()
{
    static const QStringList keys = {QStringLiteral("Org"),   QStringLiteral("Std"),   QStringLiteral("All"),
                                     QStringLiteral("Pend"),  QStringLiteral("Fav"),   QStringLiteral("Hot"),
                                     QStringLiteral("Inc"),   QStringLiteral("Fin"),   QStringLiteral("Save"),
                                     QStringLiteral("rSave"), QStringLiteral("rOpen"), QStringLiteral("rPlay")};
    return keys;
}

QString GetCategoryCaption(const QString &key)
{
    static const QStringList captions = {
        QStringLiteral("Created Games"),       QStringLiteral("Standard Games"),    QStringLiteral("All Games"),
        QStringLiteral("Pending List"),        QStringLiteral("Favorites"),         QStringLiteral("Hot Games"),
        QStringLiteral("Incomplete AutoSave"), QStringLiteral("Finished AutoSave"), QStringLiteral("Saved Games"),
        QStringLiteral("Recently Saved"),      QStringLiteral("Recently Opened"),   QStringLiteral("Recently Played")};
    const qsizetype i = CategoryKeys().indexOf(key);
    return i < 0 ? QString() : captions.at(i);
}

SelectTree FillGameTree(Context &ctx)
{
    const QString &c = ctx.gSelectCategory;
    TreeBuilder tree(ctx, QStringLiteral("m"), GetCategoryCaption(c), true);
    const cData &data = ctx.data();
    for (std::int16_t i = 1; i <= data.TotalGames(); ++i) {
        const QString name = data.GetGName(i);
        const bool listed = c == QLatin1String("All") || (c == QLatin1String("Std") && !data.IsOriginal(name)) ||
                            (c == QLatin1String("Org") && data.IsOriginal(name)) ||
                            (c == QLatin1String("Hot") && mGen1::GetHotFlag(ctx, name) == 1);
        if (listed)
            tree.add(name, name, name);
    }
    return tree.take();
}

SelectTree FillPendingTree(Context &ctx, HeaderReads reads)
{
    return fileTree(
        ctx, QStringLiteral("Pending List"), true, entries(mPending::GetPendingFiles(ctx)), false, reads,
        [](const QString &path, const SavedGameInfo &h) { return mPending::PendingTitle(path) + percentText(h); });
}

SelectTree FillAutoSaveTree(Context &ctx, bool finished, HeaderReads reads)
{
    return fileTree(ctx, GetCategoryCaption(ctx.gSelectCategory), true,
                    entries(mAutoSave::GetAutoSaveFiles(ctx, finished)), false, reads,
                    [finished](const QString &path, const SavedGameInfo &h) {
                        const QString title = mPending::PendingTitle(path);
                        return finished ? title : title + percentText(h);
                    });
}

SelectTree FillSavedTree(Context &ctx, HeaderReads reads)
{
    return fileTree(ctx, QStringLiteral("Saved Games"), false, entries(mFile::GetSavedGames(ctx)), true, reads,
                    [](const QString &, const SavedGameInfo &h) { return gameAndNumber(h); });
}

SelectTree FillRecentTree(Context &ctx, const QStringList &list, HeaderReads reads)
{
    const QString &c = ctx.gSelectCategory;
    if (c != QLatin1String("rPlay"))
        return fileTree(ctx, GetCategoryCaption(c), true, entries(list), true, reads,
                        [](const QString &, const SavedGameInfo &h) { return gameAndNumber(h); });
    // Only what Play can start: a game of the table and a number.
    TreeBuilder tree(ctx, QStringLiteral("m"), GetCategoryCaption(c), true);
    const cData &data = ctx.data();
    for (const QString &entry : entries(list)) {
        const QString name = GetNamePart(entry);
        if (!name.isEmpty() && GameNumber::isNumberText(GetNumberPart(entry)) && data.GameExists(name))
            tree.add(entry, entry, name);
    }
    return tree.take();
}

SelectTree FillFavoritesTree(Context &ctx)
{
    const QString root = ctx.data().FavFolder();
    TreeBuilder tree(ctx, root, QStringLiteral("Favorites"), true);
    // The Tag is the game the record names, whatever the file is called.
    auto addFiles = [&](const QString &folder, int parent) {
        for (const QString &path : entries(mFavorites::GetFavFiles(ctx, folder))) {
            std::optional<FavoriteInfo> fav;
            ignoreErrors([&] { fav = mFile::ReadFavRecord(path); });
            if (fav)
                tree.add(path, QFileInfo(path).fileName(), fav->GameName, parent);
        }
    };
    for (const QString &folder : entries(mFavorites::GetFavFolders(ctx)))
        addFiles(folder, tree.addFolder(folder, QFileInfo(folder).fileName()));
    addFiles(root, 0);
    return tree.take();
}

SelectTree FillCategory(Context &ctx, const QString &category, HeaderReads reads)
{
    ctx.gSelectCategory = category;
    if (category == QLatin1String("Org") || category == QLatin1String("Std") || category == QLatin1String("All") ||
        category == QLatin1String("Hot"))
        return FillGameTree(ctx);
    if (category == QLatin1String("Pend"))
        return FillPendingTree(ctx, reads);
    if (category == QLatin1String("Fav"))
        return FillFavoritesTree(ctx);
    if (category == QLatin1String("Inc") || category == QLatin1String("Fin"))
        return FillAutoSaveTree(ctx, category == QLatin1String("Fin"), reads);
    if (category == QLatin1String("Save"))
        return FillSavedTree(ctx, reads);
    if (category == QLatin1String("rSave"))
        return FillRecentTree(ctx, mRecent::GetRecent(ctx, mRecent::kSaved), reads);
    if (category == QLatin1String("rOpen"))
        return FillRecentTree(ctx, mRecent::GetRecent(ctx, mRecent::kOpened), reads);
    if (category == QLatin1String("rPlay"))
        return FillRecentTree(ctx, mRecent::GetRecent(ctx, mRecent::kPlayed));
    return {};
}

QStringList PendingPaths(const SelectTree &tree)
{
    QStringList paths;
    for (const SelectNode &node : tree.nodes)
        if (node.pending)
            paths << node.key;
    return paths;
}

bool ResolveNode(Context &ctx, SelectTree &tree, int index)
{
    SelectNode &node = tree.nodes[index];
    if (!node.pending)
        return !node.gone;
    node.pending = false;
    const std::optional<SavedGameInfo> h = header(ctx, node.key);
    if (!h || !tree.fileText) {
        node.gone = true;
        return false;
    }
    node.text = tree.fileText(node.key, *h);
    node.tag = h->GameName;
    return true;
}

void ClearChoice(Context &ctx)
{
    ctx.gSelectGameName.clear();
    ctx.gSelectNodeKey.clear();
}

std::optional<NodeView> NodeClick(Context &ctx, const SelectNode &node)
{
    ctx.gSelectGameName = node.tag;
    if (node.tag.isEmpty()) {
        ctx.gSelectNodeKey.clear();
        return std::nullopt;
    }
    ctx.gSelectNodeKey = node.key;
    // A node that cannot be remembered is still chosen: a refused write gets the settings
    // report, any other error is shown as itself.
    runGuarded(ctx.messages(),
               [&] { ctx.registry().KeepSetting([&] { SaveLastItem(ctx, ctx.gSelectCategory, node.key); }); });
    NodeView view;
    // An entry whose file went or broke since the fill offers nothing to play.
    if (!ignoreErrors([&] { view.details = details(ctx, ctx.gSelectCategory, node); })) {
        ClearChoice(ctx);
        return std::nullopt;
    }
    view.rules = RuleLines(ctx.custom());
    return view;
}

QStringList RuleLines(const cCustom &c)
{
    return {QStringLiteral("Foundation Card Order : ") + mStudio::GetOrderName(c.GOrder()),
            QStringLiteral("Foundation Base Card : ") + mGen::GetBaseCardName(c.GBase()),
            QStringLiteral("Cards in Foundation : ") + QString::number(c.GCards()),
            QStringLiteral("Tableau Card Order : ") + mStudio::GetOrderName(c.HOrder()),
            QStringLiteral("Space Filling Card : ") + mGen::GetSpaceCardName(c.HSpace()),
            QStringLiteral("No of Tableau Piles : ") + QString::number(c.HPiles()),
            QStringLiteral("Ace-King Wrapping  : ") + mGen::GetBoolName(c.HAK()),
            QStringLiteral("No of Suits : ") + mGen::GetSuitsName(c.Suits()),
            QStringLiteral("Multi Move in Tableau : ") + mGen::GetBoolName(c.HMulti()),
            QStringLiteral("Free Cells : ") + QString::number(c.RPiles()) + QStringLiteral(" Piles, ") +
                QString::number(c.RCards()) + QStringLiteral(" Cards")};
}

QImage PreviewPicture(Context &ctx, const QString &gameName)
{
    ignoreErrors([&] { ctx.custom().Init(gameName); });
    const qreal ratio = ctx.art().devicePixelRatio();
    QImage image(qRound(ArtLibrary::BlankWidth * ratio), qRound(ArtLibrary::BlankHeight * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    ctx.custom().Update_Pic(image);
    return image;
}

QString GetLastCategory(Context &ctx)
{
    const QString key = mRegistry::GetRegString(ctx, kSection, QStringLiteral("MainKey"), QStringLiteral("All"));
    return CategoryKeys().contains(key) ? key : QStringLiteral("All");
}

void SaveLastCategory(Context &ctx, const QString &key)
{
    mRegistry::SetRegString(ctx, kSection, QStringLiteral("MainKey"), key);
}

QString GetLastItem(Context &ctx, const QString &category)
{
    return mRegistry::GetRegString(ctx, kSection, category, {});
}

void SaveLastItem(Context &ctx, const QString &category, const QString &nodeKey)
{
    mRegistry::SetRegString(ctx, kSection, category, nodeKey);
}

std::int16_t GetIconIndex(const QString &imageKey)
{
    static const QStringList keys = {QStringLiteral("Game1"),  QStringLiteral("Game"),       QStringLiteral("Player"),
                                     QStringLiteral("Folder"), QStringLiteral("FolderOpen"), QStringLiteral("Bullet")};
    return static_cast<std::int16_t>(keys.indexOf(imageKey));
}

QString GetNamePart(const QString &text)
{
    // With p the 1-based place of the dash, the name is the first p - 2 characters.
    const qsizetype p = text.indexOf(QLatin1Char('-')) + 1;
    if (p < 2)
        return {};
    return text.left(p - 2);
}

QString GetNumberPart(const QString &text)
{
    // The number is the last length - p - 1 characters.
    const qsizetype p = text.indexOf(QLatin1Char('-')) + 1;
    if (p < 1)
        return {};
    return text.right(std::max<qsizetype>(0, text.size() - p - 1));
}

} // namespace mSelect
