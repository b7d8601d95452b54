// The Organize Favorites window: the favourites folder as a tree (the root, its direct
// sub-folders, the favourites in each), to create, rename, move and delete favourites
// and folders, look at a favourite's record or a folder's dates, and play a favourite.
// Every change acts on the disk at once and fills the tree again, whether it worked or
// not; however the window closes, the Favorites menu is rebuilt.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

class Context;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

class frmOrgFav : public QDialog {
    Q_OBJECT
public:
    explicit frmOrgFav(Context &ctx, QWidget *parent = nullptr);

    // Node kinds: 3 the root, 2 a sub-folder, 1 a favourite, 0 nothing selected.
    static constexpr std::int32_t kRoot = 3;
    static constexpr std::int32_t kFolder = 2;
    static constexpr std::int32_t kFavourite = 1;
    // Node data: its path and its Tag ("RFLD", "FLD", "FL").
    static constexpr int kKeyRole = 0x0100; // Qt::UserRole
    static constexpr int kTagRole = 0x0101;

    void Form_Load();
    void FillFavTree();
    std::int32_t GetSelectedKind() const;
    QString GetSelectedPath() const;
    QString GetTargetFolder() const;

    // Shows the selected node's details and sets the buttons for its kind.
    void tvFav_NodeClick();
    void cmdCreate_Click();
    void cmdRename_Click();
    void cmdDelete_Click();
    void cmdMove_Click();
    void cmdPlay_Click();
    void cmdClose_Click();

    // The favourite Play Now chose; "" when the window closed otherwise.
    const QString &chosenPath() const { return chosen_; }

    void done(int result) override;

    QTreeWidget *tvFav = nullptr;
    QComboBox *icFav = nullptr;
    QPushButton *cmdMove = nullptr;
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdRename = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdClose = nullptr;
    QGroupBox *frameGame = nullptr;
    QGroupBox *frameFolder = nullptr;
    QLabel *lbGameName = nullptr;
    QLabel *lbGameNo = nullptr;
    QLabel *lbPlayer = nullptr;
    QLabel *lbDate = nullptr;
    QLabel *lbfName = nullptr;
    QLabel *lbfDate = nullptr;
    QLabel *lbfAccessed = nullptr;
    QLabel *lbfModified = nullptr;

private:
    void updateButtons();
    void showFolder(const QString &path);
    void showGame(const QString &path);
    // Runs a change on disk; a failure is reported. The tree is filled again either way.
    void change(const std::function<void()> &body);

    Context &ctx_;
    QString chosen_;
};
