#include "platform/QtListFit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <algorithm>

namespace {

// The option the view's delegate measures a cell with, for a bold text and maybe an icon.
QStyleOptionViewItem cellOption(const QAbstractItemView *view, const QString &text, bool withIcon)
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    option.font.setBold(true);
    option.fontMetrics = QFontMetrics(option.font);
    option.text = text;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = view->textElideMode();
    if (withIcon) {
        const int small = view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
        option.features |= QStyleOptionViewItem::HasDecoration;
        option.decorationSize = view->iconSize().isValid() ? view->iconSize() : QSize(small, small);
        option.decorationPosition = QStyleOptionViewItem::Left;
    }
    return option;
}

} // namespace

namespace QtListFit {

int cellWidth(const QAbstractItemView *view, const QString &text, bool withIcon)
{
    const QStyleOptionViewItem option = cellOption(view, text, withIcon);
    return view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view).width();
}

void fitColumn(QTreeView *view, int column, const QStringList &samples, bool withIcon)
{
    view->resizeColumnToContents(column);
    int width = view->columnWidth(column);
    for (const QString &sample : samples)
        width = std::max(width, cellWidth(view, sample, withIcon));
    view->setColumnWidth(column, width);
}

void fitColumns(QTreeView *view)
{
    const int columns = view->model() != nullptr ? view->model()->columnCount() : 0;
    for (int c = 0; c < columns; ++c)
        view->resizeColumnToContents(c);
}

int heightForRows(const QAbstractItemView *view, int rows, const QIcon &icon)
{
    QStyleOptionViewItem option = cellOption(view, QStringLiteral("Xg"), true);
    if (!icon.isNull()) {
        option.icon = icon;
        option.decorationSize = icon.actualSize(option.decorationSize);
    }
    int row = view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view).height();
    if (view->model() != nullptr && view->model()->rowCount() > 0)
        row = std::max(row, view->sizeHintForRow(0));
    int height = rows * row + 2 * view->frameWidth();
    if (const auto *tree = qobject_cast<const QTreeView *>(view); tree != nullptr && !tree->isHeaderHidden())
        height += tree->header()->sizeHint().height();
    return height;
}

} // namespace QtListFit
