#include "platform/QtListFit.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QHeaderView>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <QTreeView>
#include <algorithm>
#include <functional>

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

// Width of the widest of the rows first..last below parent in a tree's first column (their
// branches too when withBranches), indentation included. The delegate measures one entry;
// the others are measured by their text alone, as wide as that entry's icon and margins
// beside it and a pixel or two for rounding, so thousands of entries stay quick.
int widestIn(const QTreeView *view, const QModelIndex &parent, int first, int last, bool withBranches)
{
    const QAbstractItemModel *model = view->model();
    if (model == nullptr || first < 0 || last < first)
        return 0;
    const auto fontOf = [view](const QModelIndex &index) {
        const QVariant font = index.data(Qt::FontRole);
        return font.isValid() ? font.value<QFont>() : view->font();
    };
    const QModelIndex sample = model->index(first, 0, parent);
    const int beside = view->sizeHintForIndex(sample).width() -
                       QFontMetrics(fontOf(sample)).horizontalAdvance(sample.data().toString()) + 2;
    const int level = view->indentation();
    int depth = view->rootIsDecorated() ? 1 : 0;
    for (QModelIndex up = parent; up.isValid(); up = up.parent())
        ++depth;
    QFont lastFont = view->font();
    QFontMetrics metrics(lastFont);
    int widest = 0;
    const std::function<void(const QModelIndex &, int, int, int)> walk = [&](const QModelIndex &under, int from, int to,
                                                                             int indent) {
        for (int r = from; r <= to; ++r) {
            const QModelIndex index = model->index(r, 0, under);
            if (const QFont font = fontOf(index); font != lastFont) {
                lastFont = font;
                metrics = QFontMetrics(font);
            }
            widest = std::max(widest, indent * level + beside + metrics.horizontalAdvance(index.data().toString()));
            if (withBranches && model->hasChildren(index))
                walk(index, 0, model->rowCount(index) - 1, indent + 1);
        }
    };
    walk(parent, first, last, depth);
    return widest;
}

// Keeps a tree's first column as wide as its widest name, and shows an entry's whole text
// as its tooltip.
class NameFit : public QObject {
public:
    explicit NameFit(QTreeView *view) : QObject(view), view_(view)
    {
        view->header()->setStretchLastSection(false);
        if (view->header()->count() > 0)
            view->header()->setSectionResizeMode(0, QHeaderView::Interactive);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        view->viewport()->installEventFilter(this);
        QAbstractItemModel *model = view->model();
        if (model == nullptr)
            return;
        // New and changed entries are measured as they come; entries going away call for
        // measuring them all again, once the changes of this turn are done.
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex &parent, int first, int last) { grow(parent, first, last, true); });
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                    if (topLeft.column() == 0)
                        grow(topLeft.parent(), topLeft.row(), bottomRight.row(), false);
                });
        const auto later = [this] { schedule(); };
        connect(model, &QAbstractItemModel::rowsRemoved, this, later);
        connect(model, &QAbstractItemModel::modelReset, this, later);
        connect(model, &QAbstractItemModel::layoutChanged, this, later);
        refit();
    }

    void refit()
    {
        pending_ = false;
        if (view_ == nullptr)
            return;
        widest_ = QtListFit::widestName(view_);
        apply();
    }

    // The measuring a change asked for, done now rather than later.
    int refitNow()
    {
        if (pending_)
            refit();
        return widest_;
    }

    // The first column fills the view beside the others, or runs past it to the widest name.
    void apply()
    {
        const QHeaderView *header = view_->header();
        int others = 0;
        for (int c = 1; c < header->count(); ++c)
            others += header->isSectionHidden(c) ? 0 : header->sectionSize(c);
        view_->setColumnWidth(0, std::max(widest_, view_->viewport()->width() - others));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && view_ != nullptr)
            apply();
        if (event->type() == QEvent::ToolTip && view_ != nullptr) {
            const auto *help = static_cast<QHelpEvent *>(event);
            const QModelIndex index = view_->indexAt(help->pos());
            if (index.isValid() && !index.data(Qt::ToolTipRole).isValid()) {
                QToolTip::showText(help->globalPos(), index.data().toString(), view_->viewport(),
                                   view_->visualRect(index));
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void grow(const QModelIndex &parent, int first, int last, bool withBranches)
    {
        if (pending_ || view_ == nullptr)
            return;
        widest_ = std::max(widest_, widestIn(view_, parent, first, last, withBranches));
        apply();
    }

    void schedule()
    {
        // Never at once: a tree going away empties its model while it is taken apart.
        if (pending_)
            return;
        pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (pending_)
                    refit();
            },
            Qt::QueuedConnection);
    }

    QPointer<QTreeView> view_;
    int widest_ = 0;
    bool pending_ = false;
};

} // namespace

namespace QtListFit {

void showNamesWhole(QTreeView *view)
{
    new NameFit(view);
}

int namesWidth(QTreeView *view)
{
    for (QObject *child : view->children()) {
        if (auto *fit = dynamic_cast<NameFit *>(child))
            return fit->refitNow();
    }
    return widestName(view);
}

int widestName(const QTreeView *view)
{
    const QAbstractItemModel *model = view->model();
    return model == nullptr ? 0 : widestIn(view, {}, 0, model->rowCount() - 1, true);
}

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

int widthFor(const QAbstractItemView *view, int content)
{
    return content + 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
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
