// The Background dialog: a tab per background kind with its list and preview, the colour
// scheme editor, the custom-image list, a folder browser, the tile switch and the change
// mode. It works on a copy of the settings; Apply and OK store what the user changed of
// it. Scheme files and the custom-image list change on disk at once, whatever closes the
// dialog.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "appearance/BackgroundChoice.h"

class Context;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSlider;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

class frmBackGround : public QDialog {
    Q_OBJECT
public:
    // Logical size of every preview.
    static constexpr int PreviewWidth = 240;
    static constexpr int PreviewHeight = 180;

    explicit frmBackGround(Context &ctx, QWidget *parent = nullptr);
    // False when opening failed (the error was reported): the dialog must not be shown.
    bool loaded() const { return loaded_; }

    // Fills every tab from the settings, selects the stored kind's tab and plays the
    // dialog's sound; Apply stays disabled, since filling is no user change.
    void Form_Load();
    void FillTextures();
    void ShowTexture();
    void FillColors();
    void ShowColor();
    void FillPictures();
    void ShowPicture();
    void LoadSchemes();
    // Lists the scheme folder, selects the scheme path's item, reads it into the sliders.
    void FillSchemes();
    // An unreadable scheme reads as all zeros and shows a blank preview; its file is only
    // rewritten when the user moves the sliders, and Apply then says so.
    void ReadSchemeFile();
    void WriteSchemeFile();
    void SetSliders();
    void ShowScheme();
    // Adds the default custom image to the list when the custom image path is not in it.
    void LoadCustImages();
    // Lists the entries whose files exist; selects the first, then the custom image path's.
    void FillCustImages();
    void ShowCustImage();
    void LoadImageFolder();
    void ShowFolderImage();
    void FillTimerChoices();
    void EnableApply();

    // User actions.
    void SSTab1_Click(int tab);
    void tvTex_NodeClick(QTreeWidgetItem *node);
    void lvColor_ItemClick(QListWidgetItem *item);
    void chkFade_Click();
    void lvLarge_ItemClick(QListWidgetItem *item);
    void lvScheme_ItemClick(QListWidgetItem *item);
    void Slider_Scroll();
    void cmdSave_Click();
    void cmdDelete_Click();
    void lvCustImg_ItemClick(QListWidgetItem *item);
    void cmdAddPic_Click();
    void cmdRemovePic_Click();
    void Drive1_Change();
    // Dir1 moved to another folder: File1 lists its pictures.
    void Dir1_Change();
    // Moves Dir1 to the folder, as a double click on it does.
    void setDir1Path(const QString &folder);
    QString dir1Path() const { return dir1Path_; }
    void File1_Click(QListWidgetItem *item);
    void imcTimer_Click();
    void chkTile_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Esc and the window's close box cancel.
    void reject() override;

    const BackgroundChoice &choice() const { return choice_; }
    // The root paths Drive1 lists: "/" and every mounted volume.
    static QStringList drives();
    // An item's key (a full path) and tag (an index); "" and 0 when it has none.
    static QString itemKey(const QListWidgetItem *item);
    static int itemTag(const QListWidgetItem *item);
    static int nodeTag(const QTreeWidgetItem *node);

    QTabWidget *SSTab1 = nullptr;
    QTreeWidget *tvTex = nullptr;
    QLabel *PicTex = nullptr;
    QListWidget *lvColor = nullptr;
    QLabel *PicColor = nullptr;
    QCheckBox *chkFade = nullptr;
    QListWidget *lvLarge = nullptr;
    QLabel *PicLarge = nullptr;
    QListWidget *lvScheme = nullptr;
    QLabel *PicCustCol = nullptr;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    // TopR, TopG, TopB, BotR, BotG, BotB.
    std::array<QSlider *, 6> Slider{};
    QLabel *lbTopR = nullptr;
    QLabel *lbTopG = nullptr;
    QLabel *lbTopB = nullptr;
    QLabel *lbBotR = nullptr;
    QLabel *lbBotG = nullptr;
    QLabel *lbBotB = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdDelete = nullptr;
    QListWidget *lvCustImg = nullptr;
    QLabel *picCustImg = nullptr;
    QPushButton *cmdAddPic = nullptr;
    QPushButton *cmdRemovePic = nullptr;
    QGroupBox *Frame3 = nullptr;
    QComboBox *Drive1 = nullptr;
    QListWidget *Dir1 = nullptr;
    QListWidget *File1 = nullptr;
    QLabel *picImageFolder = nullptr;
    QGroupBox *Frame4 = nullptr;
    QComboBox *imcTimer = nullptr;
    QCheckBox *chkTile = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;

private:
    void buildTabs();
    void connectHandlers();
    void applyTileRule();
    void selectDrive(const QString &path);
    void fillDir1();
    void showFile(QLabel *preview, const QString &path);
    void guarded(const std::function<void()> &body);

    Context &ctx_;
    BackgroundChoice choice_;
    QString dir1Path_;
    bool loading_ = false;
    bool loaded_ = false;
    BackgroundChoice stored_; // the settings as stored: what Apply compares with
    bool schemeReadable_ = false;
    bool schemeDamaged_ = false; // the scheme file is there but could not be read
    bool schemeEdited_ = false;  // the sliders were moved since the scheme was read
};
