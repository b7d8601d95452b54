#include "library/frmChoose.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "engine/mFunc.h"
#include "library/mChoose.h"
#include "platform/Guard.h"
#include "store/cData.h"
#include "store/cRegistry.h"

frmChoose::frmChoose(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Select a Game Number"));
    lblName = new QLabel(QStringLiteral("Enter a Game Number between"), this);
    lblRange = new QLabel(QStringLiteral("0 and 99,999"), this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    cmdSelect = new QPushButton(QStringLiteral("Select"), this);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Game:"), imcGames);
    form->addRow(QStringLiteral("Player:"), imcPlayer);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblName);
    layout->addWidget(lblRange);
    layout->addWidget(Text1);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(cmdSelect, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdSelect_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    runGuarded(ctx_.messages(), [this] { Form_Load(); });
}

void frmChoose::Form_Load()
{
    max_ = mChoose::GetMaxGameNumber(ctx_);
    Text1->setText(mFunc::GetRandomGameNo(ctx_).toString());
    Text1->selectAll();
    Text1->setFocus();
    lblRange->setText(QStringLiteral("0 and ") + mChoose::FormatMax(max_));
    LoadGames();
    LoadPlayers();
}

void frmChoose::LoadGames()
{
    const cData &data = ctx_.data();
    imcGames->clear();
    for (std::int16_t i = 1; i <= data.TotalGames(); ++i)
        imcGames->addItem(data.GetGName(i));
    imcGames->setCurrentIndex(imcGames->count() > 0 ? 0 : -1);
    const int playing = imcGames->findText(ctx_.session().GameName());
    if (playing >= 0)
        imcGames->setCurrentIndex(playing);
}

void frmChoose::LoadPlayers()
{
    imcPlayer->clear();
    const std::int16_t count = mCustomize::GetPlayerCount(ctx_);
    for (std::int16_t i = 1; i <= count; ++i)
        imcPlayer->addItem(mCustomize::GetPlayer(ctx_, i));
    const int current = imcPlayer->findText(mCustomize::GetCurPlayer(ctx_));
    imcPlayer->setCurrentIndex(current >= 0 ? current : (imcPlayer->count() > 0 ? 0 : -1));
}

void frmChoose::cmdSelect_Click()
{
    if (!mChoose::AcceptedNumber(Text1->text(), max_) || imcGames->currentIndex() < 0) {
        ShowRangeError();
        return;
    }
    // The player is made current before the window goes: when that fails the error is
    // shown and the window stays, rather than the deal being counted for another player.
    if (imcPlayer->currentIndex() >= 0) {
        const QString player = imcPlayer->currentText();
        if (!mCustomize::MakeCurrentOrSay(ctx_, player))
            return;
    }
    hide();
    game_ = imcGames->currentText();
    number_ = Text1->text();
    accept();
}

void frmChoose::ShowRangeError()
{
    ctx_.messages().show(mChoose::RangeMessage(max_), MsgButtons::Ok, MsgIcon::Information);
    Text1->setText(QStringLiteral("0"));
    Text1->setFocus();
}
