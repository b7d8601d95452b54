#include "appearance/frmBackGround.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStorageInfo>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/RgbColor.h"
#include "core/TextFile.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "store/cData.h"
#include "store/cFunc.h"
#include "store/cRegistry.h"

namespace {
constexpr int kKeyRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;
const QSize kPreview(frmBackGround::PreviewWidth, frmBackGround::PreviewHeight);
const QString kFolderPictures = QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg");

// The dialog's image list: 1 a picture file or a change mode, 2 a folder, 3 an item.
QIcon image(int number)
{
    switch (number) {
    case 1: return QIcon::fromTheme(QStringLiteral("image-x-generic"));
    case 2: return QIcon::fromTheme(QStringLiteral("folder"));
    default:
        return QIcon::fromTheme(QStringLiteral("preferences-desktop-wallpaper"),
                                QIcon::fromTheme(QStringLiteral("image-x-generic")));
    }
}

bool samePath(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QListWidgetItem *selectedItem(const QListWidget *list)
{
    QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

// A preview's picture at the label's pixel ratio, for the painters to fill.
QImage previewImage(const QLabel *label)
{
    const qreal ratio = label->devicePixelRatioF();
    QImage picture(kPreview * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    return picture;
}

void showImage(QLabel *label, const QImage &picture)
{
    label->setPixmap(QPixmap::fromImage(picture));
}

// The picture fitted into the preview, centred, its proportions kept.
void showFitted(QLabel *label, const QImage &picture)
{
    if (picture.isNull()) {
        label->clear();
        return;
    }
    QImage target = previewImage(label);
    const QSizeF size = picture.deviceIndependentSize().scaled(QSizeF(kPreview), Qt::KeepAspectRatio);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        QRectF(QPointF((kPreview.width() - size.width()) / 2, (kPreview.height() - size.height()) / 2), size), picture);
    painter.end();
    showImage(label, target);
}
} // namespace

void frmBackGround::guarded(const std::function<void()> &body)
{
    runGuarded(ctx_.messages(), [&] { ctx_.registry().KeepSetting(body); });
}

void frmBackGround::connectHandlers()
{
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int tab) { guarded([=, this] { SSTab1_Click(tab); }); });
    connect(tvTex, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { guarded([=, this] { tvTex_NodeClick(node); }); });
    connect(lvColor, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { guarded([=, this] { lvColor_ItemClick(item); }); });
    connect(chkFade, &QCheckBox::clicked, this, [this] { guarded([this] { chkFade_Click(); }); });
    connect(lvLarge, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { guarded([=, this] { lvLarge_ItemClick(item); }); });
    connect(lvScheme, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { guarded([=, this] { lvScheme_ItemClick(item); }); });
    for (QSlider *slider : Slider)
        connect(slider, &QSlider::valueChanged, this, [this] { guarded([this] { Slider_Scroll(); }); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { guarded([this] { cmdSave_Click(); }); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { guarded([this] { cmdDelete_Click(); }); });
    connect(lvCustImg, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { guarded([=, this] { lvCustImg_ItemClick(item); }); });
    connect(cmdAddPic, &QPushButton::clicked, this, [this] { guarded([this] { cmdAddPic_Click(); }); });
    connect(cmdRemovePic, &QPushButton::clicked, this, [this] { guarded([this] { cmdRemovePic_Click(); }); });
    connect(Drive1, &QComboBox::activated, this, [this] { guarded([this] { Drive1_Change(); }); });
    connect(Dir1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { guarded([=, this] { setDir1Path(itemKey(item)); }); });
    connect(File1, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { guarded([=, this] { File1_Click(item); }); });
    connect(imcTimer, &QComboBox::activated, this, [this] { guarded([this] { imcTimer_Click(); }); });
    connect(chkTile, &QCheckBox::clicked, this, [this] { guarded([this] { chkTile_Click(); }); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { guarded([this] { cmdApply_Click(); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded([this] { cmdCancel_Click(); }); });
}

// --- opening --------------------------------------------------------------------

void frmBackGround::Form_Load()
{
    loading_ = true;
    cmdApply->setEnabled(false);
    choice_ = BackgroundChoice::Load(ctx_);
    stored_ = choice_;
    {
        const QSignalBlocker block(SSTab1);
        SSTab1->setCurrentIndex(choice_.kind);
    }
    applyTileRule();
    chkTile->setChecked(choice_.tile);
    FillTextures();
    FillColors();
    FillPictures();
    LoadSchemes();
    LoadCustImages();
    LoadImageFolder();
    FillTimerChoices();
    loading_ = false;
    cmdApply->setEnabled(false);
    ctx_.sound().Background();
}

void frmBackGround::applyTileRule()
{
    // Only pictures can be tiled.
    chkTile->setEnabled(choice_.kind == mCustomize::Picture || choice_.kind == mCustomize::CustImage ||
                        choice_.kind == mCustomize::ImageFolder);
}

void frmBackGround::FillTextures()
{
    ArtLibrary &art = ctx_.art();
    const QSignalBlocker block(tvTex);
    tvTex->clear();
    auto *root = new QTreeWidgetItem(tvTex, {QStringLiteral("Textures")});
    root->setData(0, kKeyRole, QStringLiteral("Main0"));
    root->setIcon(0, image(2));
    const QStringList categories = art.TextureCategories();
    const int categoryCount = categories.value(0).toInt();
    for (int c = 1; c <= categoryCount && c < categories.size(); ++c) {
        const QString &name = categories[c];
        auto *category = new QTreeWidgetItem(root, {name});
        category->setData(0, kKeyRole, name);
        category->setIcon(0, image(2));
        int j = 0;
        for (int d = 1; d <= art.TextureCount(); ++d) {
            if (art.TextureCategory(d) != c)
                continue;
            auto *node = new QTreeWidgetItem(category, {name + QLatin1Char(' ') + QString::number(++j)});
            node->setData(0, kTagRole, d);
            node->setIcon(0, image(3));
            if (d == choice_.texture) {
                category->setExpanded(true);
                tvTex->setCurrentItem(node);
            }
        }
    }
    root->setExpanded(true);
    ShowTexture();
}

void frmBackGround::ShowTexture()
{
    QImage picture = previewImage(PicTex);
    ctx_.art().PaintTile(picture, ctx_.art().TexturePicture(choice_.texture));
    showImage(PicTex, picture);
}

void frmBackGround::FillColors()
{
    ArtLibrary &art = ctx_.art();
    const QSignalBlocker block(lvColor);
    lvColor->clear();
    for (int i = 1; i <= art.ColorCount(); ++i) {
        auto *item = new QListWidgetItem(image(3), art.ColorName(i), lvColor);
        item->setData(kTagRole, i);
        if (i == choice_.color)
            lvColor->setCurrentItem(item);
    }
    ShowColor();
    chkFade->setChecked(choice_.fade);
}

void frmBackGround::ShowColor()
{
    const std::uint32_t top = ctx_.art().ColorValue(choice_.color);
    QImage picture = previewImage(PicColor);
    ctx_.art().PaintGradient(picture, top, choice_.fade ? 0 : top);
    showImage(PicColor, picture);
}

void frmBackGround::FillPictures()
{
    ArtLibrary &art = ctx_.art();
    const QSignalBlocker block(lvLarge);
    lvLarge->clear();
    for (int i = 1; i <= art.PictureCount(); ++i) {
        auto *item = new QListWidgetItem(image(3), art.PictureName(i), lvLarge);
        item->setData(kTagRole, i);
        if (i == choice_.picture)
            lvLarge->setCurrentItem(item);
    }
    ShowPicture();
}

void frmBackGround::ShowPicture()
{
    showFitted(PicLarge, ctx_.art().LargePicture(choice_.picture, 0));
}

void frmBackGround::LoadSchemes()
{
    choice_.schemePath = mCustomize::GetSchemeFile(ctx_);
    FillSchemes();
}

void frmBackGround::FillSchemes()
{
    {
        const QSignalBlocker block(lvScheme);
        lvScheme->clear();
        const QString folder = ctx_.data().SchemeFolder();
        for (const QString &name : FolderList::files(folder)) {
            auto *item = new QListWidgetItem(image(3), name, lvScheme);
            // The key is the real path: a path changed to capitals names no file here.
            const QString path = FolderList::join(folder, name);
            item->setData(kKeyRole, path);
            if (samePath(path, choice_.schemePath))
                lvScheme->setCurrentItem(item);
        }
    }
    ReadSchemeFile();
    SetSliders();
}

void frmBackGround::ReadSchemeFile()
{
    const std::optional<mCustomize::SchemeColors> colors = mCustomize::TryReadSchemeFile(choice_.schemePath);
    choice_.scheme = colors.value_or(mCustomize::SchemeColors{});
    schemeReadable_ = colors.has_value();
    schemeDamaged_ = !colors && QFileInfo::exists(choice_.schemePath);
    schemeEdited_ = false;
}

void frmBackGround::WriteSchemeFile()
{
    mCustomize::WriteSchemeFile(choice_.schemePath, choice_.scheme);
}

void frmBackGround::SetSliders()
{
    const mCustomize::SchemeColors &c = choice_.scheme;
    const std::array<int, 6> values = {c.TopR, c.TopG, c.TopB, c.BotR, c.BotG, c.BotB};
    for (std::size_t i = 0; i < Slider.size(); ++i) {
        const QSignalBlocker block(Slider[i]);
        Slider[i]->setValue(std::clamp(values[i], 0, 255));
    }
    ShowScheme();
}

void frmBackGround::ShowScheme()
{
    const mCustomize::SchemeColors &c = choice_.scheme;
    const std::array<std::pair<QLabel *, int>, 6> labels = {
        {{lbTopR, c.TopR}, {lbTopG, c.TopG}, {lbTopB, c.TopB}, {lbBotR, c.BotR}, {lbBotG, c.BotG}, {lbBotB, c.BotB}}};
    static const std::array<QString, 3> parts = {QStringLiteral("Red ("), QStringLiteral("Green ("),
                                                 QStringLiteral("Blue (")};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i].first->setText(parts[i % 3] + QString::number(labels[i].second) + QLatin1Char(')'));
    // A scheme that could not be read shows nothing until the sliders move.
    if (!schemeReadable_) {
        PicCustCol->clear();
        return;
    }
    QImage picture = previewImage(PicCustCol);
    ctx_.art().PaintGradient(picture, mCustomize::SchemeTop(c), mCustomize::SchemeBottom(c));
    showImage(PicCustCol, picture);
}

void frmBackGround::LoadCustImages()
{
    choice_.custImage = mCustomize::GetCustImageFile(ctx_);
    if (!mCustomize::IsCustomImage(ctx_, choice_.custImage))
        ctx_.func().AddtoLIST(mCustomize::kCustomImageList, ctx_.data().DefaultCustImageFile());
    FillCustImages();
}

void frmBackGround::FillCustImages()
{
    {
        const QSignalBlocker block(lvCustImg);
        lvCustImg->clear();
        const QStringList list = mCustomize::CustomImages(ctx_);
        const int count = std::min(list.value(0).toInt(), static_cast<int>(list.size()) - 1);
        for (int i = 1; i <= count; ++i) {
            const QString &path = list[i];
            if (!QFileInfo(path).isFile())
                continue;
            auto *item = new QListWidgetItem(image(1), path, lvCustImg);
            item->setData(kKeyRole, path);
            item->setToolTip(path);
        }
        // The first listed picture, then the chosen one when it is listed.
        if (lvCustImg->count() > 0)
            lvCustImg->setCurrentRow(0);
        for (int row = 0; row < lvCustImg->count(); ++row) {
            if (samePath(itemKey(lvCustImg->item(row)), choice_.custImage)) {
                lvCustImg->setCurrentRow(row);
                break;
            }
        }
    }
    ShowCustImage();
}

void frmBackGround::ShowCustImage()
{
    showFile(picCustImg, choice_.custImage);
}

void frmBackGround::showFile(QLabel *preview, const QString &path)
{
    // Only the preview's size is decoded: a photograph of many megapixels shows at once.
    // A reader would wait on a FIFO named in the settings: only regular files are read.
    QImageReader reader(FolderList::isRegularFile(path) ? path : QString());
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    const qreal ratio = preview->devicePixelRatioF();
    if (full.isValid())
        reader.setScaledSize(full.scaled((QSizeF(kPreview) * ratio).toSize(), Qt::KeepAspectRatio)
                                 .boundedTo(full)
                                 .expandedTo(QSize(1, 1)));
    QImage picture = path.isEmpty() ? QImage() : reader.read();
    picture.setDevicePixelRatio(ratio);
    showFitted(preview, picture);
}

void frmBackGround::LoadImageFolder()
{
    choice_.folderImage = mCustomize::GetImageFolderFile(ctx_);
    const QString folder = QFileInfo(choice_.folderImage).absolutePath();
    selectDrive(folder);
    setDir1Path(folder);
    {
        const QSignalBlocker block(File1);
        const QList<QListWidgetItem *> current =
            File1->findItems(QFileInfo(choice_.folderImage).fileName(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (!current.isEmpty())
            File1->setCurrentItem(current.first());
    }
    ShowFolderImage();
}

void frmBackGround::ShowFolderImage()
{
    showFile(picImageFolder, choice_.folderImage);
}

void frmBackGround::FillTimerChoices()
{
    const QSignalBlocker block(imcTimer);
    imcTimer->clear();
    for (const char *text : {"None", "5 Seconds", "15 Seconds", "1 Minute", "Game", "Session"})
        imcTimer->addItem(image(1), QLatin1String(text));
    // A hand-edited mode has no item: none is selected and the mode is stored back as it was.
    imcTimer->setCurrentIndex(choice_.mode >= 0 && choice_.mode < imcTimer->count() ? choice_.mode : -1);
}

void frmBackGround::EnableApply()
{
    if (!loading_)
        cmdApply->setEnabled(true);
}

// --- the folder lists -----------------------------------------------------------

QStringList frmBackGround::drives()
{
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && !root.isEmpty() && !roots.contains(root))
            roots << root;
    }
    std::sort(roots.begin() + 1, roots.end());
    return roots;
}

void frmBackGround::selectDrive(const QString &path)
{
    const QSignalBlocker block(Drive1);
    if (Drive1->count() == 0) {
        for (const QString &root : drives())
            Drive1->addItem(image(2), root, root);
    }
    // The drive of a path is the deepest volume it lies on.
    int best = 0;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i).toString();
        const bool under = path == root || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (under && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    Drive1->setCurrentIndex(best);
}

void frmBackGround::Drive1_Change()
{
    setDir1Path(Drive1->currentData().toString());
}

void frmBackGround::setDir1Path(const QString &folder)
{
    if (folder.isEmpty())
        return;
    dir1Path_ = QDir::cleanPath(folder);
    Dir1_Change();
}

void frmBackGround::fillDir1()
{
    const QSignalBlocker block(Dir1);
    Dir1->clear();
    // The folders from the drive down to this one, then the folders in it. A folder that
    // cannot be read simply lists nothing.
    const QString drive = Drive1->currentData().toString();
    QStringList chain;
    for (QString at = dir1Path_; !at.isEmpty(); at = QFileInfo(at).path()) {
        chain.prepend(at);
        if (at == drive || QDir(at).isRoot())
            break;
    }
    int depth = 0;
    for (const QString &path : chain) {
        const QString name = QDir(path).isRoot() || path == drive ? path : QFileInfo(path).fileName();
        auto *item = new QListWidgetItem(QIcon::fromTheme(QStringLiteral("folder-open")),
                                         QString(depth++ * 2, u' ') + name, Dir1);
        item->setData(kKeyRole, path);
    }
    for (const QString &name : FolderList::folders(dir1Path_)) {
        if (name.startsWith(u'.'))
            continue;
        auto *item = new QListWidgetItem(image(2), QString(depth * 2, u' ') + name, Dir1);
        item->setData(kKeyRole, FolderList::join(dir1Path_, name));
    }
    Dir1->setCurrentRow(static_cast<int>(chain.size()) - 1);
}

void frmBackGround::Dir1_Change()
{
    fillDir1();
    {
        const QSignalBlocker block(File1);
        File1->clear();
        for (const QString &path : mCustomize::ListFiles(dir1Path_, kFolderPictures))
            File1->addItem(QFileInfo(path).fileName());
    }
    if (File1->count() == 0)
        cmdApply->setEnabled(false);
    else
        EnableApply();
}

// --- user actions ---------------------------------------------------------------

void frmBackGround::SSTab1_Click(int tab)
{
    choice_.kind = static_cast<std::int16_t>(tab);
    applyTileRule();
    if (choice_.kind != mCustomize::GetBackIndex(ctx_))
        EnableApply();
}

void frmBackGround::tvTex_NodeClick(QTreeWidgetItem *node)
{
    const int tag = nodeTag(node);
    if (tag == 0)
        return;
    choice_.texture = static_cast<std::int16_t>(tag);
    ShowTexture();
    EnableApply();
}

void frmBackGround::lvColor_ItemClick(QListWidgetItem *item)
{
    const int tag = itemTag(item);
    if (tag == 0)
        return;
    choice_.color = static_cast<std::int16_t>(tag);
    ShowColor();
    EnableApply();
}

void frmBackGround::chkFade_Click()
{
    choice_.fade = chkFade->isChecked();
    ShowColor();
    EnableApply();
}

void frmBackGround::lvLarge_ItemClick(QListWidgetItem *item)
{
    const int tag = itemTag(item);
    if (tag == 0)
        return;
    choice_.picture = static_cast<std::int16_t>(tag);
    ShowPicture();
    EnableApply();
}

void frmBackGround::lvScheme_ItemClick(QListWidgetItem *item)
{
    if (!item)
        return;
    choice_.schemePath = itemKey(item);
    ReadSchemeFile();
    SetSliders();
    EnableApply();
}

void frmBackGround::Slider_Scroll()
{
    mCustomize::SchemeColors &c = choice_.scheme;
    std::array<std::int16_t *, 6> parts = {&c.TopR, &c.TopG, &c.TopB, &c.BotR, &c.BotG, &c.BotB};
    for (std::size_t i = 0; i < parts.size(); ++i)
        *parts[i] = static_cast<std::int16_t>(Slider[i]->value());
    schemeReadable_ = true;
    schemeEdited_ = true;
    ShowScheme();
    EnableApply();
}

void frmBackGround::cmdSave_Click()
{
    QString name;
    for (;;) {
        name = ctx_.messages().input(QStringLiteral("Please Enter a Name"), QStringLiteral("Color Schemes"),
                                     QStringLiteral("Color Scheme 1"));
        if (name.isEmpty())
            return;
        if (mCustomize::IsSchemeName(name))
            break;
        ctx_.messages().show(QStringLiteral("Name should not contain these characters : /\\:*?\"<>|"), MsgButtons::Ok,
                             MsgIcon::Critical);
    }
    const QString path = FolderList::join(ctx_.data().SchemeFolder(), name);
    if (QFileInfo::exists(path) &&
        ctx_.messages().show(
            QStringLiteral("A scheme already exists with the name \"%1\". Do you want to overwrite ?").arg(name),
            MsgButtons::YesNo, MsgIcon::Critical, QStringLiteral("Color Schemes")) != MsgResult::Yes)
        return;
    choice_.schemePath = path;
    WriteSchemeFile();
    FillSchemes();
}

void frmBackGround::cmdDelete_Click()
{
    const QListWidgetItem *item = selectedItem(lvScheme);
    if (!item)
        return;
    const QString key = itemKey(item);
    const QString fallback = ctx_.data().DefaultSchemeFile();
    if (samePath(key, fallback)) {
        ctx_.messages().show(QStringLiteral("Default Scheme cannot be deleted."), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    if (QFileInfo::exists(key) && !QFile::remove(key))
        raiseError(err::PathFileAccess, QStringLiteral("The scheme \"%1\" could not be deleted.").arg(key));
    ctx_.data().CreateDefaultSchemeFile();
    choice_.schemePath = fallback;
    FillSchemes();
}

void frmBackGround::lvCustImg_ItemClick(QListWidgetItem *item)
{
    if (!item)
        return;
    choice_.custImage = itemKey(item);
    ShowCustImage();
    EnableApply();
}

void frmBackGround::cmdAddPic_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("Pictures (*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif");
    request.folder = mCustomize::GetCustImageInitDir(ctx_);
    const QString path = ctx_.fileDialogs().openFile(request);
    // A file deleted meanwhile or a folder does nothing; a FIFO or device is refused by name.
    const QFileInfo chosen(path);
    if (path.isEmpty() || !chosen.exists() || chosen.isDir())
        return;
    TextFile::requireRegularFile(path);
    // A full list keeps its ten pictures; the new one is then shown but not listed.
    // A list or folder that cannot be stored is reported once; the picture is still chosen.
    ctx_.registry().KeepSetting([&] { ctx_.func().AddtoLIST(mCustomize::kCustomImageList, path); });
    choice_.custImage = path;
    ctx_.registry().KeepSetting([&] { mCustomize::SetCustImageInitDir(ctx_, QFileInfo(path).absolutePath()); });
    FillCustImages();
}

void frmBackGround::cmdRemovePic_Click()
{
    const QListWidgetItem *item = selectedItem(lvCustImg);
    if (!item)
        return;
    const QString key = itemKey(item);
    const QString fallback = ctx_.data().DefaultCustImageFile();
    if (samePath(key, fallback)) {
        ctx_.messages().show(QStringLiteral("Default Picture cannot be deleted."), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    ctx_.func().RemoveListItem(mCustomize::kCustomImageList, key);
    choice_.custImage = fallback;
    mCustomize::SetCustImageFile(ctx_, fallback);
    stored_.custImage = fallback;
    FillCustImages();
}

void frmBackGround::File1_Click(QListWidgetItem *item)
{
    if (!item)
        return;
    choice_.folderImage = FolderList::join(dir1Path_, item->text());
    ShowFolderImage();
    EnableApply();
}

void frmBackGround::imcTimer_Click()
{
    if (imcTimer->currentIndex() < 0)
        return;
    choice_.mode = static_cast<std::int16_t>(imcTimer->currentIndex());
    EnableApply();
}

void frmBackGround::chkTile_Click()
{
    choice_.tile = chkTile->isChecked();
    EnableApply();
}

void frmBackGround::cmdApply_Click()
{
    cmdApply->setEnabled(false);
    const bool writeScheme = schemeEdited_;
    if (writeScheme && schemeDamaged_)
        ctx_.messages().show(
            QStringLiteral("The color scheme \"%1\" could not be read; it now holds the colors chosen.")
                .arg(QFileInfo(choice_.schemePath).fileName()),
            MsgButtons::Ok, MsgIcon::Information);
    const BackgroundChoice before = stored_;
    stored_ = choice_;
    schemeEdited_ = false;
    try {
        choice_.Apply(ctx_, before, writeScheme);
    } catch (...) {
        // What failed is offered again by the next Apply.
        stored_ = before;
        schemeEdited_ = writeScheme;
        throw;
    }
    schemeDamaged_ = false;
}

void frmBackGround::cmdOK_Click()
{
    // A failed scheme file keeps the dialog open; a refused setting is reported and OK closes.
    cmdApply_Click();
    ctx_.art().EndCustomize();
    accept();
}

void frmBackGround::cmdCancel_Click()
{
    reject();
}

void frmBackGround::reject()
{
    ctx_.art().EndCustomize();
    QDialog::reject();
}

QString frmBackGround::itemKey(const QListWidgetItem *item)
{
    return item ? item->data(kKeyRole).toString() : QString();
}

int frmBackGround::itemTag(const QListWidgetItem *item)
{
    return item ? item->data(kTagRole).toInt() : 0;
}

int frmBackGround::nodeTag(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kTagRole).toInt() : 0;
}
