// The game selection: the twelve categories of the "Select a Game" window, the tree of
// entries each one lists, the details and rule lines of the chosen entry, the choice
// remembered for the run (in the context) and across runs (section "Select"), and the
// split of a game shown as name, " - ", number. A file that cannot be read is never
// listed, and an entry whose file cannot be read when chosen shows nothing to play.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class Context;
class cCustom;
struct SavedGameInfo;

namespace mSelect {
// The category keys in list order.
const QStringList &CategoryKeys();
// The caption of a category key; "" for any other key.
QString GetCategoryCaption(const QString &key);

// One node of the tree of entries. The root is node 0; every other node names its parent.
struct SelectNode {
    QString key;
    QString text;
    QString tag; // the game's name; "" for the root and favourites folders
    int parent = -1;
    QString image;         // a key of the icon list
    QString selectedImage; // "" when the image stays when selected
    bool bold = false;
    // A listed file whose header is still to be read: its text is the file's title and
    // it has no Tag yet.
    bool pending = false;
    // A listed file found unreadable once its header was read: shown no more.
    bool gone = false;
};
struct SelectTree {
    QList<SelectNode> nodes;
    // The node chosen in this category last time, else the root.
    int selected = 0;
    // How a file entry's text is made from its path and header; empty for other categories.
    std::function<QString(const QString &, const SavedGameInfo &)> fileText;
};

// When a file category's headers are read: all of them while the tree is filled, or
// later, the tree listing files whose headers are not kept under their titles until
// ResolveNode fills them in (the entry chosen last is always read at once).
enum class HeaderReads { Now, Later };

// The fillers, for gSelectCategory.
SelectTree FillGameTree(Context &ctx);
SelectTree FillPendingTree(Context &ctx, HeaderReads reads = HeaderReads::Now);
SelectTree FillFavoritesTree(Context &ctx);
SelectTree FillSavedTree(Context &ctx, HeaderReads reads = HeaderReads::Now);
SelectTree FillAutoSaveTree(Context &ctx, bool finished, HeaderReads reads = HeaderReads::Now);
// list: a recent list (element 0 the count); "rPlay" keeps only entries that split into
// a name of the game table and a number.
SelectTree FillRecentTree(Context &ctx, const QStringList &list, HeaderReads reads = HeaderReads::Now);
// Sets gSelectCategory and runs the category's filler; an unknown key gives an empty tree.
SelectTree FillCategory(Context &ctx, const QString &category, HeaderReads reads = HeaderReads::Now);
// The paths of the pending entries, in tree order.
QStringList PendingPaths(const SelectTree &tree);
// Fills in a pending entry from its file's header (a kept one while the file is
// unchanged, else read now); an entry whose file cannot be read is marked gone. False
// when the entry is gone.
bool ResolveNode(Context &ctx, SelectTree &tree, int index);

// What the window shows of a chosen entry.
struct NodeView {
    QStringList details;
    QStringList rules;
};
// A node chosen: sets gSelectGameName and gSelectNodeKey, remembers the node of the
// category and reads the entry's details and rule summary (loading its definition into
// gCustom). None, with the name and key cleared, for a node without a game and for an
// entry that cannot be read.
std::optional<NodeView> NodeClick(Context &ctx, const SelectNode &node);
// Clears the chosen game name and entry key.
void ClearChoice(Context &ctx);
// The ten lines of the rule summary of the definition held.
QStringList RuleLines(const cCustom &custom);
// The layout preview of a game: its definition loaded by name (the definition held when
// the name is not a game), painted at the art's pixel ratio.
QImage PreviewPicture(Context &ctx, const QString &gameName);

// The registry values of section "Select". GetLastCategory answers "All" for a stored
// key that is not a category.
QString GetLastCategory(Context &ctx);
void SaveLastCategory(Context &ctx, const QString &key);
QString GetLastItem(Context &ctx, const QString &category);
void SaveLastItem(Context &ctx, const QString &category, const QString &nodeKey);
// Index of an image key in the icon list ("Game1", "Game", "Player", "Folder",
// "FolderOpen", "Bullet"); -1 for any other key.
std::int16_t GetIconIndex(const QString &imageKey);

// The text before the blank that precedes the first "-"; empty when the text has no "-"
// or starts with one.
QString GetNamePart(const QString &text);
// The text after the first "-" and the blank that follows it; empty when the text has no "-".
QString GetNumberPart(const QString &text);
} // namespace mSelect
