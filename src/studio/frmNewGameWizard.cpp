#include "studio/frmNewGameWizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <memory>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "engine/cCustom.h"
#include "library/mFavorites.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "store/cData.h"
#include "studio/StudioControlsView.h"

namespace {
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, bool wrap = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(wrap);
    return label;
}

QLabel *heading(QWidget *parent, const char *name, const QString &text)
{
    QLabel *label = makeLabel(parent, name, text);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    return label;
}

QLabel *picture(QWidget *parent, const char *name, int width, int height)
{
    QLabel *label = makeLabel(parent, name, {});
    label->setFixedSize(width, height);
    return label;
}

// A label used as a button: underlined like a link while it can be pressed, and in the
// tab order with a dotted frame while it has the focus, so the keyboard reaches it too.
QLabel *labelButton(QWidget *parent, const char *name, const QString &text)
{
    QLabel *label = makeLabel(parent, name, text);
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::StrongFocus);
    label->setStyleSheet(QStringLiteral("QLabel { border: 1px solid transparent; padding: 1px 2px; }"
                                        "QLabel:enabled { color: palette(link); text-decoration: underline; }"
                                        "QLabel:focus { border: 1px dotted palette(text); }"));
    return label;
}

// A left click released, or Space or Return pressed, presses a label-button.
bool pressesLabel(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        return static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->isAutoRepeat() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}
} // namespace

frmNewGameWizard::frmNewGameWizard(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmNewGameWizard"));
    setWindowTitle(QStringLiteral("New Game Wizard"));
    setModal(true);

    controls = new StudioControlsView(ctx, this);
    controls->changed = [this](mStudioForms::StudioList list) { listChanged(list); };
    SSTab1 = new QStackedWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    for (int i = 0; i < 5; ++i)
        SSTab1->addWidget(buildPage(i));

    lbBack = labelButton(this, "lbBack", QStringLiteral("<< Back"));
    lbNext = labelButton(this, "lbNext", QStringLiteral("Next >>"));
    lbFinish = labelButton(this, "lbFinish", QStringLiteral("Finish"));
    lbCancel = labelButton(this, "lbCancel", QStringLiteral("Cancel"));
    for (QLabel *l : {lbBack, lbNext, lbFinish, lbCancel})
        l->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QLabel *l : {lbBack, lbNext, lbFinish, lbCancel}) {
        buttons->addSpacing(12);
        buttons->addWidget(l);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
    setMinimumSize(520, 380);

    Form_Load();
}

QWidget *frmNewGameWizard::buildPage(int index)
{
    auto *page = new QWidget(SSTab1);
    auto *layout = new QVBoxLayout(page);
    // Only the pages with rows take the form into their layout; the others let it go.
    auto ownedForm = std::make_unique<QFormLayout>();
    QFormLayout *form = ownedForm.get();
    auto row = [&](const char *name, const QString &text, QWidget *field) {
        form->addRow(makeLabel(page, name, text), field);
    };
    switch (index) {
    case 0:
        layout->addWidget(heading(page, "Label5", QStringLiteral("New Game Wizard")));
        layout->addWidget(makeLabel(page, "Label7",
                                    QStringLiteral("Welcome to New Game Wizard. With this you can create totally new "
                                                   "games by customizing rules for foundation, tableau and reserve."),
                                    true));
        layout->addSpacing(16);
        layout->addWidget(makeLabel(page, "Label15", QStringLiteral("Please enter a name for this new game")));
        txtName = new QLineEdit(QStringLiteral("New Game 01"), page);
        txtName->setObjectName(QStringLiteral("txtName"));
        layout->addWidget(txtName);
        break;
    case 1:
        layout->addWidget(heading(page, "Label1", QStringLiteral("Foundation")));
        row("lbGBase", QStringLiteral("Foundation Base Card"), controls->imcGBase);
        row("Label2", QStringLiteral("Foundation Card Arranging Order."), controls->imcGorder);
        row("lbGCards", QStringLiteral("Initial Cards in Foundation"), controls->imcGCards);
        layout->addLayout(form);
        PicFound = picture(page, "PicFound", ArtLibrary::PreviewWidth, ArtLibrary::PreviewHeight);
        layout->addWidget(PicFound, 0, Qt::AlignHCenter);
        break;
    case 2:
        layout->addWidget(heading(page, "Label8", QStringLiteral("Tableau")));
        row("Label11", QStringLiteral("Tableau Card Arranging Order"), controls->imcHorder);
        row("Label13", QStringLiteral("Tableau Piles"), controls->imcHPiles);
        row("Label14", QStringLiteral("Tableau Space filling card"), controls->imcHSpace);
        row("Label3", QStringLiteral("Suits"), controls->imcSuits);
        form->addRow(controls->chkHAK);
        form->addRow(controls->chkMulti);
        layout->addLayout(form);
        PicTab = picture(page, "PicTab", ArtLibrary::TableauWidth, ArtLibrary::TableauHeight);
        layout->addWidget(PicTab, 0, Qt::AlignHCenter);
        break;
    case 3:
        layout->addWidget(heading(page, "lb3Cap", QStringLiteral("Free Cells")));
        row("lbGen1", QStringLiteral("Number of Free Cells"), controls->imcRPiles);
        row("lbGen2", QStringLiteral("Total Cards in Free Cells"), controls->imcRCards);
        layout->addLayout(form);
        picRes = picture(page, "picRes", ArtLibrary::PreviewWidth, ArtLibrary::PreviewHeight);
        layout->addWidget(picRes, 0, Qt::AlignHCenter);
        break;
    default:
        layout->addWidget(heading(page, "Label10", QStringLiteral("Preview")));
        PicPreview = picture(page, "PicPreview", ArtLibrary::BlankWidth, ArtLibrary::BlankHeight);
        layout->addWidget(PicPreview, 0, Qt::AlignHCenter);
        break;
    }
    if (form->parent() != nullptr)
        form = ownedForm.release(); // the page owns it now
    layout->addStretch(1);
    return page;
}

void frmNewGameWizard::Form_Load()
{
    SSTab1->setCurrentIndex(0);
    lbBack->setEnabled(false);
    lbFinish->setEnabled(false);
    lbNext->setEnabled(true);
    ctx_.custom().Init(ctx_.data().GetGName(1));
    mStudio::FillStudioCombos(*controls);
    UpdatePreview();
}

void frmNewGameWizard::UpdatePreview()
{
    ArtLibrary &art = ctx_.art();
    const cCustom &c = ctx_.custom();
    PicFound->setPixmap(QPixmap::fromImage(art.GoalPicture(c.GBase(), c.GCards())));
    PicTab->setPixmap(QPixmap::fromImage(art.TableauPicture(c.HPiles(), c.Suits())));
    picRes->setPixmap(QPixmap::fromImage(art.ResPicture(c.RPiles(), c.RCards())));
    PicPreview->setPixmap(StudioControlsView::Preview(ctx_));
}

void frmNewGameWizard::listChanged(mStudioForms::StudioList list)
{
    using mStudioForms::StudioList;
    // The suits, the orders and the empty-pile card show at the next repaint.
    if (list == StudioList::GBase || list == StudioList::GCards || list == StudioList::HPiles ||
        list == StudioList::RCards || list == StudioList::RPiles)
        UpdatePreview();
}

void frmNewGameWizard::lbNext_Click()
{
    lbBack->setEnabled(true);
    const int page = SSTab1->currentIndex();
    if (page < 3) {
        SSTab1->setCurrentIndex(page + 1);
    } else if (page == 3) {
        SSTab1->setCurrentIndex(4);
        UpdatePreview();
        // Finish first: the focus leaving the disabled "Next >>" lands on it.
        lbFinish->setEnabled(true);
        lbNext->setEnabled(false);
    }
}

void frmNewGameWizard::lbBack_Click()
{
    lbNext->setEnabled(true);
    lbFinish->setEnabled(false);
    const int page = SSTab1->currentIndex();
    if (page > 1) {
        SSTab1->setCurrentIndex(page - 1);
    } else if (page == 1) {
        SSTab1->setCurrentIndex(0);
        lbBack->setEnabled(false);
    }
}

void frmNewGameWizard::lbFinish_Click()
{
    const QString name = txtName->text();
    if (mStudioForms::IsGameInPlay(ctx_, name)) {
        ctx_.messages().show(
            QStringLiteral("You cannot edit the current playing game. To edit this game please close this game."),
            MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    if (!ctx_.custom().SaveStudioGame(name, true, false))
        return;
    mFavorites::BuildFavMenu(ctx_);
    accept();
}

void frmNewGameWizard::lbCancel_Click()
{
    reject();
}

bool frmNewGameWizard::eventFilter(QObject *watched, QEvent *event)
{
    auto *label = qobject_cast<QLabel *>(watched);
    if (!label || !label->isEnabled() || !pressesLabel(event))
        return QDialog::eventFilter(watched, event);
    void (frmNewGameWizard::*handler)() = nullptr;
    if (label == lbBack)
        handler = &frmNewGameWizard::lbBack_Click;
    else if (label == lbNext)
        handler = &frmNewGameWizard::lbNext_Click;
    else if (label == lbFinish)
        handler = &frmNewGameWizard::lbFinish_Click;
    else if (label == lbCancel)
        handler = &frmNewGameWizard::lbCancel_Click;
    if (handler)
        runGuarded(ctx_.messages(), [&] { (this->*handler)(); });
    return handler != nullptr;
}
