// Sizes report lists to what they show: a column as wide as its heading, its cells and the
// widest value it can hold (measured bold, since lists mark rows in bold), and a list of a
// fixed number of lines as tall as those lines, so no text is elided and no line scrolls away.
#pragma once

#include <QIcon>
#include <QStringList>

class QAbstractItemView;
class QTreeView;

namespace QtListFit {

// Width of a cell of view that shows text whole in bold, with room for an icon when withIcon.
int cellWidth(const QAbstractItemView *view, const QString &text, bool withIcon = false);

// Widens column to its heading, its cells as they are and every text of samples.
void fitColumn(QTreeView *view, int column, const QStringList &samples = {}, bool withIcon = false);

// Every column of view to its heading and its cells.
void fitColumns(QTreeView *view);

// Shows the names in the first column of a tree whole (called once, its model and other
// columns set): the column as wide as its widest entry (collapsed branches included) and
// never narrower than the view leaves beside the other columns, a horizontal scroll bar
// where the view is narrower, and an entry's whole text in its tooltip. The width follows
// the entries as they are added, removed or changed.
void showNamesWhole(QTreeView *view);

// Width of the widest entry of the tree's first column, its indentation included.
int widestName(const QTreeView *view);

// The same for a tree that shows its names whole, measured once for the changes so far.
int namesWidth(QTreeView *view);

// Width of view that shows content pixels wide beside a vertical scroll bar.
int widthFor(const QAbstractItemView *view, int content);

// Height of view that shows rows lines (and its heading) without a scroll bar: lines as
// tall as its first row, or before it has one, as a line with the given icon.
int heightForRows(const QAbstractItemView *view, int rows, const QIcon &icon = {});

} // namespace QtListFit
