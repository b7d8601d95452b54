#include "shell/frmQuickMove.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "app/Context.h"
#include "app/mGen1.h"
#include "engine/cEngine.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "platform/QtWindowFit.h"
#include "shell/MenuImages.h"
#include "shell/mGen.h"

namespace {
constexpr int kColumns = 4;
const QColor kGroupColour(150, 150, 150);
const QColor kMarkColour(128, 0, 0);
// The list's height when the window is expanded, about 5000 twips with the controls.
constexpr int kExpandedHeight = 333;

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}
} // namespace

frmQuickMove::frmQuickMove(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmQuickMove"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    fraQuick = new QGroupBox(QStringLiteral("Quick Move"), this);
    fraQuick->setObjectName(QStringLiteral("fraQuick"));
    Slider1 = new QSlider(Qt::Horizontal, fraQuick);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setMinimumWidth(220);
    cmdBack = makeButton(fraQuick, "cmdBack", QStringLiteral("<"));
    cmdForward = makeButton(fraQuick, "cmdForward", QStringLiteral(">"));
    for (QPushButton *b : {cmdBack, cmdForward})
        b->setFixedWidth(32);
    auto *quick = new QHBoxLayout(fraQuick);
    quick->addWidget(Slider1, 1);
    quick->addWidget(cmdBack);
    quick->addWidget(cmdForward);

    fraReplay = new QGroupBox(QStringLiteral("Replay"), this);
    fraReplay->setObjectName(QStringLiteral("fraReplay"));
    cmdReplayBack = makeButton(fraReplay, "cmdReplayBack", QString());
    cmdReplayStop = makeButton(fraReplay, "cmdReplayStop", QString());
    cmdReplayForward = makeButton(fraReplay, "cmdReplayForward", QString());
    const struct {
        QPushButton *button;
        const char *key;
        const char *tip;
    } replay[] = {{cmdReplayBack, "Back", "Replay Back"},
                  {cmdReplayStop, "Stop", "Replay Stop"},
                  {cmdReplayForward, "Forward", "Replay Forward"}};
    auto *replayRow = new QHBoxLayout(fraReplay);
    for (const auto &r : replay) {
        r.button->setIcon(MenuImages::Icon(QLatin1String(r.key)));
        r.button->setToolTip(QLatin1String(r.tip));
        replayRow->addWidget(r.button);
    }
    cmdReplayStop->setEnabled(false);

    lbText1 = makeLabel(this, "lbText1");
    lbText2 = makeLabel(this, "lbText2");
    lbText3 = makeLabel(this, "lbText3");
    cmdMore = makeButton(this, "cmdMore", QStringLiteral("More >>"));

    lvQuick = new QTreeWidget(this);
    lvQuick->setObjectName(QStringLiteral("lvQuick"));
    lvQuick->setColumnCount(kColumns);
    lvQuick->setHeaderLabels(
        {QStringLiteral("Moves"), QStringLiteral("Source"), QStringLiteral("Destination"), QStringLiteral("Cards")});
    lvQuick->setRootIsDecorated(false);
    lvQuick->setUniformRowHeights(true);
    lvQuick->setAllColumnsShowFocus(true);
    lvQuick->setSelectionMode(QAbstractItemView::SingleSelection);
    lvQuick->setIconSize(QSize(16, 16));
    lvQuick->header()->setStretchLastSection(false);
    setMinimumWidth(500);

    auto *top = new QHBoxLayout;
    top->addWidget(fraQuick, 1);
    top->addWidget(fraReplay);
    auto *labels = new QVBoxLayout;
    labels->addWidget(lbText1);
    labels->addWidget(lbText2);
    labels->addWidget(lbText3);
    auto *middle = new QHBoxLayout;
    middle->addLayout(labels, 1);
    middle->addWidget(cmdMore, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(lvQuick, 1);

    auto guarded = [this](void (frmQuickMove::*handler)()) {
        return [this, handler] { runGuarded(ctx_.messages(), [&] { (this->*handler)(); }); };
    };
    connect(Slider1, &QSlider::valueChanged, this, guarded(&frmQuickMove::Slider1_Scroll));
    connect(cmdBack, &QPushButton::clicked, this, guarded(&frmQuickMove::cmdBack_Click));
    connect(cmdForward, &QPushButton::clicked, this, guarded(&frmQuickMove::cmdForward_Click));
    connect(cmdReplayBack, &QPushButton::clicked, this, guarded(&frmQuickMove::cmdReplayBack_Click));
    connect(cmdReplayStop, &QPushButton::clicked, this, guarded(&frmQuickMove::cmdReplayStop_Click));
    connect(cmdReplayForward, &QPushButton::clicked, this, guarded(&frmQuickMove::cmdReplayForward_Click));
    connect(cmdMore, &QPushButton::clicked, this, guarded(&frmQuickMove::cmdMore_Click));
    connect(lvQuick, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const int row = lvQuick->indexOfTopLevelItem(item) + 1;
        runGuarded(ctx_.messages(), [&] { lvQuick_ItemClick(row); });
    });
    tmrMove.setTick(guarded(&frmQuickMove::tmrMove_Timer));
    tmrReplay.setTick(guarded(&frmQuickMove::tmrReplay_Timer));

    Form_Load();
    tmrMove.setEnabled(true);
}

void frmQuickMove::Form_Load()
{
    const cEngine &engine = ctx_.engine();
    const int top = engine.GetTransTop();
    {
        const QSignalBlocker blocker(Slider1);
        Slider1->setRange(0, top);
        Slider1->setValue(engine.GetTransID());
    }
    fillList();
    MarkMoveItem(top + 1, true, true);
    ShowMoveInfo(top);
    expanded_ = false;
    cmdMore->setText(QStringLiteral("More >>"));
    applyHeight();
}

void frmQuickMove::fillList()
{
    const cEngine &engine = ctx_.engine();
    const ISessionInfo &session = ctx_.session();
    const QIcon icon = MenuImages::Icon(QStringLiteral("Q1"));
    const int top = engine.GetTransTop();
    markedRow_ = 0;
    lvQuick->clear();

    QList<QTreeWidgetItem *> rows;
    rows.reserve(top + 1);
    auto *start = new QTreeWidgetItem({QStringLiteral("Start"), QStringLiteral("Name :") + session.GameName(),
                                       QStringLiteral("Game No.:") + session.GameNo().toString(), QString()});
    start->setIcon(0, icon);
    rows << start;
    for (int n = 1; n <= top; ++n) {
        const TransRecord &r = engine.Record(n);
        auto *item = new QTreeWidgetItem({QString::number(n), PlaceText(r.SCell, r.SPile, r.SPos),
                                          PlaceText(r.DCell, r.DPile, r.DPos), QString::number(r.mCards + 1)});
        item->setIcon(0, icon);
        // A move that is part of a group move is shown grey.
        if (r.Multi == 1) {
            for (int col = 0; col < kColumns; ++col)
                item->setForeground(col, kGroupColour);
        }
        rows << item;
    }
    lvQuick->addTopLevelItems(rows);
    fitColumns();
}

void frmQuickMove::fitColumns()
{
    // A marked row is bold: each column fits its widest text drawn bold, wherever it lies.
    QFont bold = lvQuick->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int total = 0;
    // The widest place texts of the moves, from which the widest caption is made.
    std::array<QString, kColumns> widestMove;
    for (int col = 0; col < kColumns; ++col) {
        QString widest;
        int most = -1;
        int mostOfMoves = -1;
        for (int row = 0; row < lvQuick->topLevelItemCount(); ++row) {
            const QString text = lvQuick->topLevelItem(row)->text(col);
            const int width = metrics.horizontalAdvance(text);
            if (width > most) {
                most = width;
                widest = text;
            }
            if (row > 0 && width > mostOfMoves) {
                mostOfMoves = width;
                widestMove.at(static_cast<std::size_t>(col)) = text;
            }
        }
        QtListFit::fitColumn(lvQuick, col, {widest}, col == 0);
        total += lvQuick->columnWidth(col);
    }
    // Wide enough for the four columns of the list, which shows only when expanded, and for
    // the caption of any move, as far as the screen allows; beyond that the caption is shortened.
    const int chrome = 2 * lvQuick->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                       layout()->contentsMargins().left() + layout()->contentsMargins().right();
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    const QString widestCaption = QStringLiteral("Move: %1 - ").arg(lvQuick->topLevelItemCount()) + widestMove.at(1) +
                                  QStringLiteral(" -> ") + widestMove.at(2);
    int caption = title.horizontalAdvance(widestCaption) + QtWindowFit::TitleButtonsWidth;
    if (const int screen = QtWindowFit::usableArea(*this).width(); screen > 0)
        caption = std::min(caption, screen);
    setMinimumWidth(std::max({500, total + chrome, caption}));
}

QString frmQuickMove::PlaceText(int area, int pile, int pos)
{
    return mGen1::GetAreaName(static_cast<std::int16_t>(area)) +
           QStringLiteral(" (Pile %1, Card %2)").arg(pile).arg(pos);
}

void frmQuickMove::MarkMoveItem(int row, bool mark, bool select)
{
    QTreeWidgetItem *item = lvQuick->topLevelItem(row - 1);
    if (!item)
        return;
    const QColor colour = mark ? kMarkColour : QColor(Qt::black);
    QFont font = lvQuick->font();
    font.setBold(mark);
    for (int col = 0; col < kColumns; ++col) {
        item->setForeground(col, colour);
        item->setFont(col, font);
    }
    if (select) {
        lvQuick->setCurrentItem(item);
        lvQuick->scrollToItem(item);
    }
    if (mark)
        markedRow_ = row;
    else if (markedRow_ == row)
        markedRow_ = 0;
}

void frmQuickMove::ShowMoveInfo(int n)
{
    const cEngine &engine = ctx_.engine();
    const QString move = QStringLiteral("Move: %1").arg(n);
    // The caption in full, or shortened in words where the title bar cannot hold it.
    QString shorter;
    if (n == 0) {
        const ISessionInfo &session = ctx_.session();
        lbText1->setText(QStringLiteral("Game Name : ") + session.GameName() + QStringLiteral(" - Game No.: ") +
                         session.GameNo().toString());
        shorter = move + QStringLiteral(" - ") + session.GameName();
    } else {
        const TransRecord &r = engine.Record(n);
        lbText1->setText(PlaceText(r.SCell, r.SPile, r.SPos) + QStringLiteral(" -> ") +
                         PlaceText(r.DCell, r.DPile, r.DPos));
        shorter = move + QStringLiteral(" - ") + mGen1::GetAreaName(static_cast<std::int16_t>(r.SCell)) +
                  QStringLiteral(" -> ") + mGen1::GetAreaName(static_cast<std::int16_t>(r.DCell));
    }
    lbText2->setText(QStringLiteral("Move : %1").arg(n));
    lbText3->setText(QStringLiteral("Cards Moved : %1").arg(n == 0 ? 0 : engine.mCards(n) + 1));
    setWindowTitle(QtWindowFit::fittingTitle(*this, {move + QStringLiteral(" - ") + lbText1->text(), shorter, move}));
}

void frmQuickMove::jump(int move)
{
    cEngine &engine = ctx_.engine();
    if (move == engine.GetTransID())
        return;
    ctx_.mainWindow().runBoardOperation([&] { engine.MoveTo(move); });
}

void frmQuickMove::setSliderValue(int value)
{
    const QSignalBlocker blocker(Slider1);
    Slider1->setValue(value);
}

void frmQuickMove::Slider1_Scroll()
{
    if (sliderBusy_)
        return;
    const QScopedValueRollback<bool> busy(sliderBusy_, true);
    jump(Slider1->value());
    // A group is taken whole, so the game may stand beyond the move asked for.
    const int current = ctx_.engine().GetTransID();
    setSliderValue(current);
    ShowMoveInfo(current);
    MarkMoveItem(markedRow_, false, false);
    MarkMoveItem(current + 1, true, true);
    // The ends of the record enable and disable the step buttons at once, so a click
    // that follows a jump never meets the state of the move before it.
    tmrMove_Timer();
}

void frmQuickMove::cmdBack_Click()
{
    setSliderValue(Slider1->value() - 1);
    Slider1_Scroll();
}

void frmQuickMove::cmdForward_Click()
{
    setSliderValue(Slider1->value() + 1);
    Slider1_Scroll();
}

void frmQuickMove::lvQuick_ItemClick(int row)
{
    if (tmrReplay.enabled() || listBusy_ || row < 1)
        return;
    const QScopedValueRollback<bool> busy(listBusy_, true);
    // The marked row is the one to clear, wherever the slider stands.
    MarkMoveItem(markedRow_, false, false);
    jump(row - 1);
    const int current = ctx_.engine().GetTransID();
    setSliderValue(current);
    MarkMoveItem(current + 1, true, true);
    ShowMoveInfo(current);
    tmrMove_Timer();
}

void frmQuickMove::cmdMore_Click()
{
    expanded_ = !expanded_;
    cmdMore->setText(expanded_ ? QStringLiteral("<< Less") : QStringLiteral("More >>"));
    applyHeight();
}

void frmQuickMove::applyHeight()
{
    lvQuick->setVisible(expanded_);
    if (expanded_) {
        setMaximumHeight(QWIDGETSIZE_MAX);
        resize(width(), std::max(kExpandedHeight, sizeHint().height()));
        if (QTreeWidgetItem *item = lvQuick->topLevelItem(markedRow_ - 1))
            lvQuick->scrollToItem(item);
    } else {
        layout()->activate();
        setFixedHeight(sizeHint().height());
    }
}

void frmQuickMove::tmrMove_Timer()
{
    const int value = Slider1->value();
    cmdBack->setEnabled(value != 0);
    cmdReplayBack->setEnabled(value != 0);
    cmdForward->setEnabled(value != Slider1->maximum());
    cmdReplayForward->setEnabled(value != Slider1->maximum());
}

void frmQuickMove::cmdReplayForward_Click()
{
    ctx_.mainWindow().setReplayForward(true);
    tmrReplay.setEnabled(true);
}

void frmQuickMove::cmdReplayBack_Click()
{
    ctx_.mainWindow().setReplayBackward(true);
    tmrReplay.setEnabled(true);
}

void frmQuickMove::cmdReplayStop_Click()
{
    mGen::StopReplay(ctx_);
}

void frmQuickMove::setReplayControls(bool replaying)
{
    for (QWidget *w :
         {static_cast<QWidget *>(Slider1), static_cast<QWidget *>(cmdBack), static_cast<QWidget *>(cmdForward),
          static_cast<QWidget *>(cmdReplayForward), static_cast<QWidget *>(cmdReplayBack)})
        w->setEnabled(!replaying);
    cmdReplayStop->setEnabled(replaying);
    tmrMove.setEnabled(!replaying);
    // The ends of the record disable their buttons at once, not only at the next check.
    if (!replaying)
        tmrMove_Timer();
}

void frmQuickMove::tmrReplay_Timer()
{
    // The replay has moved the game already: only the display follows it here.
    setSliderValue(ctx_.engine().GetTransID());
    Slider1_Scroll();
    setReplayControls(true);
    if (!ctx_.mainWindow().replayRunning()) {
        tmrReplay.setEnabled(false);
        setReplayControls(false);
    }
}
