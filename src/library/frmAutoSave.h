// The auto-save browser: the incomplete and the finished auto-saved games on two tabs,
// to play one, delete one or empty a tab. After every delete, whether it worked or not,
// the lists show what is on disk. Play only names the file: the opener plays it once
// the window has gone.
#pragma once

#include <QDialog>
#include <cstdint>

class Context;
class QPushButton;
class QTabWidget;
class QTreeWidget;

class frmAutoSave : public QDialog {
    Q_OBJECT
public:
    explicit frmAutoSave(Context &ctx, QWidget *parent = nullptr);

    // Fills the lists, shows the tab shown last and plays the window's sound.
    void Form_Load();
    // Fills both lists from the folder; an Empty button is enabled when its list has a
    // row; Play and Delete are disabled.
    void RefreshLists();

    // User actions.
    void SSTab1_Click();
    void lv_ItemClick();
    void cmdPlay_Click();
    void cmdDelete_Click();
    void cmdEmpInc_Click();
    void cmdEmpFin_Click();
    void cmdClose_Click();

    // The file Play chose; "" when the window closed otherwise.
    const QString &chosenPath() const { return chosen_; }
    // The list of the tab shown: lvInc on tab 0, lvFin on tab 1.
    QTreeWidget *currentList() const;

    // The row data of a list item.
    static constexpr int kKeyRole = 0x0100; // Qt::UserRole: the full path
    static constexpr int kTagRole = 0x0101; // "game name - game number"

    QTabWidget *SSTab1 = nullptr;
    QTreeWidget *lvInc = nullptr;
    QTreeWidget *lvFin = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdEmpInc = nullptr;
    QPushButton *cmdEmpFin = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void fillList(QTreeWidget *list, bool finished);
    void emptyKind(bool finished);
    void setPlayDelete(bool on);
    // Stores the tab shown; a failed write is reported once and changes nothing else.
    void keepTab();
    void connectClick(QPushButton *button, void (frmAutoSave::*handler)());

    Context &ctx_;
    QString chosen_;
};
