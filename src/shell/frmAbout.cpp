#include "shell/frmAbout.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "appearance/cSound.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "app/Context.h"
#include "store/cData.h"

namespace {
// The splash picture at two fifths of its size.
constexpr int kPictureWidth = ArtLibrary::SplashWidth * 2 / 5;
constexpr int kPictureHeight = ArtLibrary::SplashHeight * 2 / 5;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}
} // namespace

frmAbout::frmAbout(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About..."));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(kPictureWidth + 2, kPictureHeight + 2);
    Image1->setFrameShape(QFrame::Box);
    Image1->setAlignment(Qt::AlignCenter);
    QImage picture = ctx_.art().SplashPicture();
    const qreal ratio = picture.devicePixelRatio();
    picture =
        picture.scaled(QSize(kPictureWidth, kPictureHeight) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    Image1->setPixmap(QPixmap::fromImage(picture));

    lblName = makeLabel(this, "lblName", QString());
    QFont nameFont = lblName->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    lblName->setFont(nameFont);
    Label1 = makeLabel(this, "Label1", QStringLiteral("Oct 2005 Release"));

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    Label2 = makeLabel(this, "Label2",
                       QStringLiteral("Brackenfold is free software: you may redistribute it and/or "
                                      "modify it under the terms of the GNU General Public License, "
                                      "version 3 or (at your option) any later version."));
    Label3 =
        makeLabel(this, "Label3", QStringLiteral("It comes with ABSOLUTELY NO WARRANTY; see the licence for details."));
    Label4 = makeLabel(this, "Label4",
                       QStringLiteral("Card faces and backs come from the KDE card decks, "
                                      "released under the GNU GPL."));
    Label5 = makeLabel(this, "Label5", QStringLiteral("Built with the Qt toolkit."));
    Label6 = makeLabel(this, "Label6",
                       QStringLiteral("Its other pictures are drawn, and its sounds synthesised, by its own code."));
    for (QLabel *notice : {Label2, Label3, Label4, Label5, Label6}) {
        QFont small = notice->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        notice->setFont(small);
    }

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { runGuarded(ctx_.messages(), [this] { cmdOK_Click(); }); });

    auto *heading = new QVBoxLayout;
    heading->addStretch(1);
    heading->addWidget(lblName);
    heading->addWidget(Label1);
    heading->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(heading, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(Line1);
    for (QLabel *notice : {Label2, Label3, Label4, Label5, Label6})
        outer->addWidget(notice);
    outer->addSpacing(6);
    outer->addLayout(buttons);
    setFixedWidth(460);

    Form_Load();
}

void frmAbout::Form_Load()
{
    lblName->setText(ctx_.data().ProdName());
    ctx_.sound().About();
}

void frmAbout::cmdOK_Click()
{
    accept();
}
