// The Add to Favorites window: the game in play kept as a favourite under a name the user
// may change, in the favourites folder or one of its sub-folders, with a new sub-folder
// made on the way. Nothing is written unless OK passes the name check.
#pragma once

#include <QDialog>

class Context;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmAddtoFav : public QDialog {
    Q_OBJECT
public:
    explicit frmAddtoFav(Context &ctx, QWidget *parent = nullptr);

    // Fills the tree, proposes "name - number" and plays the window's sound.
    void Form_Load();
    // The root "Favorites" and one node per direct sub-folder; the root selected; the
    // Favorites menu rebuilt.
    void FillFolderTree();

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdCreate_Click();

    // The folder path a node stands for.
    static constexpr int kKeyRole = 0x0100; // Qt::UserRole

    QLineEdit *txFav = nullptr;
    QTreeWidget *tvFav = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdCreate = nullptr;

private:
    // The node of the folder at the path; null when the tree has none.
    QTreeWidgetItem *folderNode(const QString &path) const;

    Context &ctx_;
};
