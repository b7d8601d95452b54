#include "studio/frmAddGame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Context.h"
#include "engine/cCustom.h"
#include "library/mFavorites.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "store/cData.h"
#include "studio/StudioControlsView.h"

namespace {
QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &title)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

void addRow(QFormLayout *form, QWidget *parent, const char *name, const QString &text, QWidget *field)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    form->addRow(label, field);
}
} // namespace

frmAddGame::frmAddGame(Context &ctx, const QString &editGameName, QWidget *parent)
    : QDialog(parent), ctx_(ctx), editGameName_(editGameName)
{
    setObjectName(QStringLiteral("frmAddGame"));
    setWindowTitle(QStringLiteral("Create a New Game"));
    setModal(true);

    controls = new StudioControlsView(ctx, this);
    controls->changed = [this](mStudioForms::StudioList list) { listChanged(list); };

    auto *general = makeFrame(this, "Frame5", QStringLiteral("General"));
    txtName = new QLineEdit(QStringLiteral("New Game 01"), general);
    txtName->setObjectName(QStringLiteral("txtName"));
    auto *generalLayout = new QVBoxLayout(general);
    auto *label9 = new QLabel(QStringLiteral("Enter a Name for this New Game"), general);
    label9->setObjectName(QStringLiteral("Label9"));
    generalLayout->addWidget(label9);
    generalLayout->addWidget(txtName);

    auto *foundation = makeFrame(this, "Frame4", QStringLiteral("Foundation"));
    auto *fLayout = new QFormLayout(foundation);
    addRow(fLayout, foundation, "Label2", QStringLiteral("Card Arranging Order"), controls->imcGorder);
    addRow(fLayout, foundation, "Label1", QStringLiteral("Base Card"), controls->imcGBase);
    addRow(fLayout, foundation, "Label4", QStringLiteral("Initial Cards "), controls->imcGCards);

    auto *cells = makeFrame(this, "Frame3", QStringLiteral("Free Cells"));
    auto *cLayout = new QFormLayout(cells);
    addRow(cLayout, cells, "Label5", QStringLiteral("Number of Free Cells"), controls->imcRPiles);
    addRow(cLayout, cells, "Label6", QStringLiteral("Total Cards in Free Cells"), controls->imcRCards);

    auto *tableau = makeFrame(this, "Frame2", QStringLiteral("Tableau"));
    auto *tLayout = new QFormLayout(tableau);
    addRow(tLayout, tableau, "Label3", QStringLiteral("Card Arranging Order"), controls->imcHorder);
    addRow(tLayout, tableau, "Label7", QStringLiteral("Piles"), controls->imcHPiles);
    addRow(tLayout, tableau, "Label8", QStringLiteral("Space filling card"), controls->imcHSpace);
    addRow(tLayout, tableau, "Label10", QStringLiteral("Suits"), controls->imcSuits);
    tLayout->addRow(controls->chkMulti);
    tLayout->addRow(controls->chkHAK);

    Pic1 = new QLabel(this);
    Pic1->setObjectName(QStringLiteral("Pic1"));
    Pic1->setFixedSize(ArtLibrary::BlankWidth + 4, ArtLibrary::BlankHeight + 4);
    Pic1->setFrameShape(QFrame::StyledPanel);

    cmdAdd = new QPushButton(QStringLiteral("Create"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdAdd, &QPushButton::clicked, this, [this] { runGuarded(ctx_.messages(), [this] { cmdAdd_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdCancel_Click(); }); });

    auto *left = new QVBoxLayout;
    left->addWidget(general);
    left->addWidget(foundation);
    left->addWidget(cells);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(tableau);
    right->addWidget(Pic1, 0, Qt::AlignHCenter);
    right->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    Form_Load();
}

void frmAddGame::Form_Load()
{
    if (editMode()) {
        cmdAdd->setText(QStringLiteral("Save"));
        txtName->setText(editGameName_);
        txtName->setEnabled(false);
        setWindowTitle(QStringLiteral("Edit Game - ") + editGameName_);
        ctx_.custom().Init(editGameName_);
    } else {
        cmdAdd->setText(QStringLiteral("Create"));
        txtName->setEnabled(true);
        txtName->setText(QStringLiteral("New Game 01"));
        ctx_.custom().Init(ctx_.data().GetGName(1));
    }
    mStudio::FillStudioCombos(*controls);
    UpdatePreview();
}

void frmAddGame::UpdatePreview()
{
    Pic1->setPixmap(StudioControlsView::Preview(ctx_));
}

void frmAddGame::listChanged(mStudioForms::StudioList list)
{
    using mStudioForms::StudioList;
    // The orders and the empty-pile card do not show in the preview.
    if (list != StudioList::GOrder && list != StudioList::HOrder && list != StudioList::HSpace)
        UpdatePreview();
}

void frmAddGame::cmdAdd_Click()
{
    const QString name = txtName->text();
    // Writing over the game on the table would leave its board and its kept game with a
    // definition that does not fit their moves.
    if (mStudioForms::IsGameInPlay(ctx_, name)) {
        ctx_.messages().show(
            QStringLiteral("You cannot edit the current playing game. To edit this game please close this game."),
            MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    if (!ctx_.custom().SaveStudioGame(name, !editMode(), false))
        return;
    mFavorites::BuildFavMenu(ctx_);
    accept();
}

void frmAddGame::cmdCancel_Click()
{
    reject();
}
