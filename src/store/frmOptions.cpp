#include "store/frmOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "library/mRecent.h"
#include "platform/Guard.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "store/mOptions.h"

namespace {
constexpr int kIndent = 18;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, bool wrap = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(wrap);
    return label;
}

// A bold section heading followed by a rule across the rest of the tab.
QHBoxLayout *makeHeading(QLabel *label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    auto *rule = new QFrame(label->parentWidget());
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(rule, 1);
    return row;
}

// Lays out the widgets of a section a little to the right of its heading.
QVBoxLayout *indented(QVBoxLayout *outer)
{
    auto *row = new QHBoxLayout;
    row->addSpacing(kIndent);
    auto *inner = new QVBoxLayout;
    row->addLayout(inner, 1);
    outer->addLayout(row);
    return inner;
}

QCheckBox *makeCheck(QWidget *parent, const char *name, const QString &text)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// The picture of the range items: a small die showing five.
QIcon rangeIcon()
{
    const int size = 16;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(250, 250, 245));
    p.drawRoundedRect(QRectF(1.5, 1.5, size - 3, size - 3), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 20, 20));
    const qreal r = 1.6;
    for (const QPointF &pip : {QPointF(5, 5), QPointF(11, 5), QPointF(8, 8), QPointF(5, 11), QPointF(11, 11)})
        p.drawEllipse(pip, r, r);
    p.end();
    return QIcon(pixmap);
}

std::int16_t stateOf(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}
} // namespace

frmOptions::frmOptions(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildGeneralTab(), QStringLiteral("General"));
    SSTab1->addTab(buildRandomTab(), QStringLiteral("Random "));
    SSTab1->addTab(buildAutoSaveTab(), QStringLiteral("AutoSave"));
    SSTab1->addTab(buildRecentTab(), QStringLiteral("Recent List"));
    SSTab1->setMinimumWidth(460);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    cmdClose->setMinimumWidth(90);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);

    // Only user actions store: clicked and activated are not sent when the code fills the controls.
    connectClick(chkTime, &frmOptions::chkTime_Click);
    connectClick(chkScore, &frmOptions::chkScore_Click);
    connectClick(chkMoves, &frmOptions::chkMoves_Click);
    connectClick(chkCardsLeft, &frmOptions::chkCardsLeft_Click);
    connectClick(chkGameSave, &frmOptions::chkGameSave_Click);
    connectClick(chkInc, &frmOptions::chkInc_Click);
    connectClick(chkFin, &frmOptions::chkFin_Click);
    connect(imcRange, &QComboBox::activated, this, [this](int) {
        runGuarded(ctx_.messages(), [this] {
            // A range that could not be kept shows the stored one again.
            if (!ctx_.registry().KeepSetting([this] { imcRange_Click(); }))
                showRange();
        });
    });
    connectClick(cmdrSave, &frmOptions::cmdrSave_Click);
    connectClick(cmdrOpen, &frmOptions::cmdrOpen_Click);
    connectClick(cmdrPlay, &frmOptions::cmdrPlay_Click);
    connectClick(cmdClose, &frmOptions::cmdClose_Click);

    Form_Load();
}

void frmOptions::connectClick(QCheckBox *box, void (frmOptions::*handler)())
{
    connect(box, &QCheckBox::clicked, this, [this, box, handler] {
        runGuarded(ctx_.messages(), [this, box, handler] {
            // A choice that could not be kept is taken back: the box shows what is stored.
            if (!ctx_.registry().KeepSetting([this, handler] { (this->*handler)(); }))
                box->setChecked(!box->isChecked());
        });
    });
}

void frmOptions::connectClick(QPushButton *button, void (frmOptions::*handler)())
{
    connect(button, &QPushButton::clicked, this,
            [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); });
}

QWidget *frmOptions::buildGeneralTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    layout->addLayout(makeHeading(makeLabel(page, "Label13", QStringLiteral("Display Options"))));
    QVBoxLayout *display = indented(layout);
    chkTime = makeCheck(page, "chkTime", QStringLiteral("Show Game Time "));
    chkScore = makeCheck(page, "chkScore", QStringLiteral("Show Game Score"));
    chkMoves = makeCheck(page, "chkMoves", QStringLiteral("Show Game Moves"));
    chkCardsLeft = makeCheck(page, "chkCardsLeft", QStringLiteral("Show Cards Left"));
    display->addWidget(chkTime);
    display->addWidget(chkScore);
    display->addWidget(chkMoves);
    display->addWidget(chkCardsLeft);

    layout->addSpacing(12);
    layout->addLayout(makeHeading(makeLabel(page, "Label2", QStringLiteral("While exiting the Game"))));
    chkGameSave = makeCheck(page, "chkGameSave", QStringLiteral("Save unfinished game and restart it in next session"));
    indented(layout)->addWidget(chkGameSave);
    layout->addStretch(1);
    return page;
}

QWidget *frmOptions::buildRandomTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    layout->addLayout(makeHeading(makeLabel(page, "Label3", QStringLiteral("Random Range Selection"))));
    QVBoxLayout *section = indented(layout);

    imcRange = new QComboBox(page);
    imcRange->setObjectName(QStringLiteral("imcRange"));
    imcRange->setMinimumWidth(200);
    QLabel *prompt = makeLabel(page, "Label1", QStringLiteral("Select Random Range "));
    prompt->setBuddy(imcRange);
    auto *row = new QHBoxLayout;
    row->addWidget(prompt);
    row->addWidget(imcRange);
    row->addStretch(1);
    section->addLayout(row);

    section->addSpacing(8);
    section->addWidget(makeLabel(page, "Label4",
                                 QStringLiteral("When you select a game with random game number, radom generator "
                                                "will generate a game number between 0 and this number."),
                                 true));
    layout->addStretch(1);
    return page;
}

QWidget *frmOptions::buildAutoSaveTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    layout->addLayout(makeHeading(makeLabel(page, "Label14", QStringLiteral("AutoSave Options"))));
    QVBoxLayout *section = indented(layout);

    chkInc = makeCheck(page, "chkInc", QStringLiteral("Enable Incomplete AutoSave"));
    section->addWidget(chkInc);
    indented(section)->addWidget(makeLabel(page, "Label5",
                                           QStringLiteral("If this option is enabled then it will save all lost or "
                                                          "unfinised games to Incomplete AutoSave folder. "),
                                           true));
    section->addSpacing(10);
    chkFin = makeCheck(page, "chkFin", QStringLiteral("Enable Finished AutoSave"));
    section->addWidget(chkFin);
    indented(section)->addWidget(
        makeLabel(page, "Label6",
                  QStringLiteral("If this option is enabled then it will save all Won games to Finished AutoSave "
                                 "folder. "),
                  true));
    layout->addStretch(1);
    return page;
}

QWidget *frmOptions::buildRecentTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    auto addSection = [&](const char *titleName, const QString &title, const char *textName, const QString &text,
                          const char *buttonName) {
        layout->addLayout(makeHeading(makeLabel(page, titleName, title)));
        auto *row = new QHBoxLayout;
        row->addSpacing(kIndent);
        row->addWidget(makeLabel(page, textName, text, true), 1);
        QPushButton *button = makeButton(page, buttonName, QStringLiteral("Clear Now"));
        row->addWidget(button, 0, Qt::AlignVCenter);
        layout->addLayout(row);
        layout->addSpacing(6);
        return button;
    };
    cmdrSave = addSection("Label7", QStringLiteral("Clear Recently Saved List"), "Label8",
                          QStringLiteral("Clear Recent List containing info of all recently saved games."), "cmdrSave");
    cmdrOpen =
        addSection("Label9", QStringLiteral("Clear Recently Opened List"), "Label10",
                   QStringLiteral("Clear Recent List containing info of all recently opened games."), "cmdrOpen");
    cmdrPlay =
        addSection("Label11", QStringLiteral("Clear Recently Played List"), "Label12",
                   QStringLiteral("Clear Recent List containing info of all recently played games."), "cmdrPlay");
    layout->addStretch(1);
    return page;
}

QString frmOptions::RangeItemText(int n)
{
    // Grouped by hand rather than by the locale, so the items read the same everywhere.
    const QString digits = QString::number(mOptions::RangeLimit(n));
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += QLatin1Char(',');
        text += digits[i];
    }
    return text;
}

void frmOptions::Form_Load()
{
    imcRange->clear();
    const QIcon icon = rangeIcon();
    for (int n = mOptions::kMinRangeIndex; n <= mOptions::kMaxRangeIndex; ++n)
        imcRange->addItem(icon, RangeItemText(n));

    chkTime->setChecked(mOptions::GetShowTime(ctx_) != 0);
    chkMoves->setChecked(mOptions::GetShowMoves(ctx_) != 0);
    chkScore->setChecked(mOptions::GetShowScore(ctx_) != 0);
    chkCardsLeft->setChecked(mOptions::GetShowCardsLeft(ctx_) != 0);
    chkGameSave->setChecked(mOptions::GetGameSave(ctx_) != 0);

    showRange();

    chkInc->setChecked(mOptions::GetEnableInc(ctx_) != 0);
    chkFin->setChecked(mOptions::GetEnableFin(ctx_) != 0);
    UpdateClearButtons();
    ctx_.sound().Options();
}

void frmOptions::showRange()
{
    // A stored index outside the list selects no item; the stored value is left as it is.
    const int range = mOptions::GetRangeIndex(ctx_);
    imcRange->setCurrentIndex(range >= mOptions::kMinRangeIndex && range <= mOptions::kMaxRangeIndex ? range - 1 : -1);
}

void frmOptions::chkTime_Click()
{
    mOptions::SetShowTime(ctx_, stateOf(chkTime));
}

void frmOptions::chkScore_Click()
{
    mOptions::SetShowScore(ctx_, stateOf(chkScore));
}

void frmOptions::chkMoves_Click()
{
    mOptions::SetShowMoves(ctx_, stateOf(chkMoves));
}

void frmOptions::chkCardsLeft_Click()
{
    mOptions::SetShowCardsLeft(ctx_, stateOf(chkCardsLeft));
}

void frmOptions::chkGameSave_Click()
{
    mOptions::SetGameSave(ctx_, stateOf(chkGameSave));
}

void frmOptions::chkInc_Click()
{
    mOptions::SetEnableInc(ctx_, stateOf(chkInc));
}

void frmOptions::chkFin_Click()
{
    mOptions::SetEnableFin(ctx_, stateOf(chkFin));
}

void frmOptions::imcRange_Click()
{
    const int index = imcRange->currentIndex();
    if (index < 0)
        return;
    mOptions::SetRangeIndex(ctx_, static_cast<std::int16_t>(index + 1));
}

void frmOptions::cmdrSave_Click()
{
    ClearRecentList(mRecent::kSaved);
}

void frmOptions::cmdrOpen_Click()
{
    ClearRecentList(mRecent::kOpened);
}

void frmOptions::cmdrPlay_Click()
{
    ClearRecentList(mRecent::kPlayed);
}

void frmOptions::cmdClose_Click()
{
    accept();
}

void frmOptions::ClearRecentList(std::int32_t list)
{
    if (ctx_.messages().show(QStringLiteral("Are you sure you want to clear this recent list ?"), MsgButtons::YesNo,
                             MsgIcon::Critical, ctx_.data().ProdName()) != MsgResult::Yes)
        return;
    if (ctx_.registry().KeepSetting([&] { mRecent::ClearRecent(ctx_, list); }))
        ctx_.messages().show(QStringLiteral("Successfully Cleared"), MsgButtons::Ok, MsgIcon::Information);
    UpdateClearButtons();
    mRecent::RefreshRecentMenus(ctx_);
}

void frmOptions::UpdateClearButtons()
{
    cmdrSave->setEnabled(mRecent::GetRecentCount(ctx_, mRecent::kSaved) > 0);
    cmdrOpen->setEnabled(mRecent::GetRecentCount(ctx_, mRecent::kOpened) > 0);
    cmdrPlay->setEnabled(mRecent::GetRecentCount(ctx_, mRecent::kPlayed) > 0);
}
