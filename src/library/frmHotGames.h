// The Hot Games window: games that are not hot on the left, hot games on the right, and
// ">>" and "<<" to move the selected game across. Every move is stored at once, so
// closing the window has nothing left to keep.
#pragma once

#include <QDialog>

class Context;
class QPushButton;
class QTreeWidget;

class frmHotGames : public QDialog {
    Q_OBJECT
public:
    explicit frmHotGames(Context &ctx, QWidget *parent = nullptr);

    // Fills both lists from the stored marks, sets the buttons and plays the window's sound.
    void Form_Load();
    void FillOtherGames();
    void FillHotGames();
    // ">>" while the left list has a game, "<<" while the right one has.
    void EnableButtons();

    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdClose_Click();

    QTreeWidget *lvLeft = nullptr;
    QTreeWidget *lvRight = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void fill(QTreeWidget *list, const QStringList &names);
    void append(QTreeWidget *list, const QString &name);
    // Moves the selected game of one list to the end of the other, storing its new mark.
    void moveSelected(QTreeWidget *from, QTreeWidget *to, bool hot);

    Context &ctx_;
};
