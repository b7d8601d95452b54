// The Sounds dialog: a tree of the program's events in seven groups, where the user
// gives an event a WAV file, removes its sound or plays it. There is no OK or Cancel:
// every change is stored at once, and only a file that exists is ever stored.
#pragma once

#include <QDialog>

class Context;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmSounds : public QDialog {
    Q_OBJECT
public:
    // The pictures of the tree, by their number in the dialog's image list.
    enum Image { SoundSet = 2, SoundNone = 3, Root = 4 };

    explicit frmSounds(Context &ctx, QWidget *parent = nullptr);
    // False when opening failed (the error was reported): the dialog must not be shown.
    bool loaded() const { return loaded_; }

    // Builds the tree, sets the buttons as for nothing chosen and plays the dialog's sound.
    void Form_Load();
    // The root, the seven groups and their thirty events, each event tagged by its event tag.
    void FillSoundTree();
    // 2 when the event has a sound (stored or its default, whether or not the file exists), else 3.
    int GetSoundImage(const QString &tag);

    // User actions.
    void tvSound_NodeClick(QTreeWidgetItem *node);
    void cmdBrowse_Click();
    void cmdPlay_Click();
    void cmdRemove_Click();
    void cmdApply_Click();
    void cmdClose_Click();

    // The event tag a node carries; "" for the root and the groups.
    static QString nodeTag(const QTreeWidgetItem *node);
    // The image number a node shows.
    static int nodeImage(const QTreeWidgetItem *node);

    QTreeWidget *tvSound = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void setNodeImage(QTreeWidgetItem *node, int image);
    void connectClick(QPushButton *button, void (frmSounds::*handler)());

    Context &ctx_;
    bool loaded_ = false;
};
