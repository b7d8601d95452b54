// The Background dialog's tabs: their lists, previews, sliders and buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/frmBackGround.h"
#include "platform/Guard.h"

namespace {
QLabel *previewLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedSize(QSize(frmBackGround::PreviewWidth, frmBackGround::PreviewHeight));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmBackGround::frmBackGround(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Customize Background"));
    buildTabs();

    Frame4 = named(new QGroupBox(QStringLiteral("Change Background Every"), this), "Frame4");
    imcTimer = named(new QComboBox(Frame4), "imcTimer");
    auto *timerLayout = new QHBoxLayout(Frame4);
    timerLayout->addWidget(imcTimer);
    chkTile = named(new QCheckBox(QStringLiteral("Tile Background"), this), "chkTile");
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdApply = button(this, "cmdApply", QStringLiteral("Apply"));

    auto *below = new QHBoxLayout;
    below->addWidget(Frame4);
    below->addWidget(chkTile);
    below->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(below);
    layout->addLayout(buttons);

    connectHandlers();
    loaded_ = runGuarded(ctx_.messages(), [this] { Form_Load(); });
}

void frmBackGround::buildTabs()
{
    SSTab1 = named(new QTabWidget(this), "SSTab1");

    auto *textures = new QWidget;
    tvTex = named(new QTreeWidget(textures), "tvTex");
    tvTex->setHeaderHidden(true);
    PicTex = previewLabel(textures, "PicTex");
    auto *texLayout = new QHBoxLayout(textures);
    texLayout->addWidget(tvTex, 1);
    texLayout->addWidget(PicTex, 0, Qt::AlignTop);
    SSTab1->addTab(textures, QStringLiteral("Textures"));

    auto *colors = new QWidget;
    lvColor = named(new QListWidget(colors), "lvColor");
    PicColor = previewLabel(colors, "PicColor");
    chkFade = named(new QCheckBox(QStringLiteral("Fade Background"), colors), "chkFade");
    auto *colorSide = new QVBoxLayout;
    colorSide->addWidget(PicColor);
    colorSide->addWidget(chkFade);
    colorSide->addStretch(1);
    auto *colorLayout = new QHBoxLayout(colors);
    colorLayout->addWidget(lvColor, 1);
    colorLayout->addLayout(colorSide);
    SSTab1->addTab(colors, QStringLiteral("Colors"));

    auto *pictures = new QWidget;
    lvLarge = named(new QListWidget(pictures), "lvLarge");
    PicLarge = previewLabel(pictures, "PicLarge");
    auto *largeLayout = new QHBoxLayout(pictures);
    largeLayout->addWidget(lvLarge, 1);
    largeLayout->addWidget(PicLarge, 0, Qt::AlignTop);
    SSTab1->addTab(pictures, QStringLiteral("Pictures"));

    auto *schemes = new QWidget;
    lvScheme = named(new QListWidget(schemes), "lvScheme");
    PicCustCol = previewLabel(schemes, "PicCustCol");
    Frame1 = named(new QGroupBox(QStringLiteral("Top Color"), schemes), "Frame1");
    Frame2 = named(new QGroupBox(QStringLiteral("Bottom Color"), schemes), "Frame2");
    std::array<QLabel **, 6> labels = {&lbTopR, &lbTopG, &lbTopB, &lbBotR, &lbBotG, &lbBotB};
    static const std::array<const char *, 6> labelNames = {"lbTopR", "lbTopG", "lbTopB", "lbBotR", "lbBotG", "lbBotB"};
    auto *topGrid = new QGridLayout(Frame1);
    auto *bottomGrid = new QGridLayout(Frame2);
    for (std::size_t i = 0; i < Slider.size(); ++i) {
        QGroupBox *frame = i < 3 ? Frame1 : Frame2;
        QSlider *slider = named(new QSlider(Qt::Horizontal, frame), "Slider");
        slider->setRange(0, 255);
        slider->setSingleStep(1);
        slider->setPageStep(5);
        Slider[i] = slider;
        *labels[i] = named(new QLabel(frame), labelNames[i]);
        (*labels[i])->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Green (255)")) + 4);
        QGridLayout *grid = i < 3 ? topGrid : bottomGrid;
        grid->addWidget(*labels[i], static_cast<int>(i % 3), 0);
        grid->addWidget(slider, static_cast<int>(i % 3), 1);
    }
    cmdSave = button(schemes, "cmdSave", QStringLiteral("Save As.."));
    cmdDelete = button(schemes, "cmdDelete", QStringLiteral("Delete"));
    auto *schemeButtons = new QHBoxLayout;
    schemeButtons->addWidget(cmdSave);
    schemeButtons->addWidget(cmdDelete);
    schemeButtons->addStretch(1);
    auto *schemeSide = new QVBoxLayout;
    schemeSide->addWidget(PicCustCol);
    schemeSide->addStretch(1);
    // The two colours side by side, so the page fits a low screen.
    auto *colours = new QHBoxLayout;
    colours->addWidget(Frame1);
    colours->addWidget(Frame2);
    auto *schemeFrames = new QVBoxLayout;
    schemeFrames->addLayout(colours);
    schemeFrames->addLayout(schemeButtons);
    auto *schemeTop = new QHBoxLayout;
    schemeTop->addWidget(lvScheme, 1);
    schemeTop->addLayout(schemeSide);
    auto *schemeLayout = new QVBoxLayout(schemes);
    schemeLayout->addLayout(schemeTop, 1);
    schemeLayout->addLayout(schemeFrames);
    SSTab1->addTab(schemes, QStringLiteral("Color Schemes"));

    auto *custom = new QWidget;
    lvCustImg = named(new QListWidget(custom), "lvCustImg");
    lvCustImg->setTextElideMode(Qt::ElideMiddle);
    picCustImg = previewLabel(custom, "picCustImg");
    cmdAddPic = button(custom, "cmdAddPic", QStringLiteral("Add"));
    cmdRemovePic = button(custom, "cmdRemovePic", QStringLiteral("Remove"));
    auto *customButtons = new QHBoxLayout;
    customButtons->addWidget(cmdAddPic);
    customButtons->addWidget(cmdRemovePic);
    customButtons->addStretch(1);
    auto *customSide = new QVBoxLayout;
    customSide->addWidget(picCustImg);
    customSide->addStretch(1);
    auto *customTop = new QHBoxLayout;
    customTop->addWidget(lvCustImg, 1);
    customTop->addLayout(customSide);
    auto *customLayout = new QVBoxLayout(custom);
    customLayout->addLayout(customTop, 1);
    customLayout->addLayout(customButtons);
    SSTab1->addTab(custom, QStringLiteral("Custom Images"));

    auto *folders = new QWidget;
    Frame3 = named(new QGroupBox(QStringLiteral("Select a Folder"), folders), "Frame3");
    Drive1 = named(new QComboBox(Frame3), "Drive1");
    Dir1 = named(new QListWidget(Frame3), "Dir1");
    File1 = named(new QListWidget(Frame3), "File1");
    picImageFolder = previewLabel(folders, "picImageFolder");
    auto *browse = new QGridLayout(Frame3);
    browse->addWidget(Drive1, 0, 0);
    browse->addWidget(Dir1, 1, 0);
    browse->addWidget(File1, 0, 1, 2, 1);
    auto *folderLayout = new QHBoxLayout(folders);
    folderLayout->addWidget(Frame3, 1);
    folderLayout->addWidget(picImageFolder, 0, Qt::AlignTop);
    SSTab1->addTab(folders, QStringLiteral("Image Folders"));
}
