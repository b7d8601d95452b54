// The Players window: the list of players with New, Edit, Delete, Select and Cancel.
// Edit, Delete and Select need a selected row; the current player can never be
// deleted, whichever way the button is reached. The rules live in mPlayers.
#pragma once

#include <QDialog>

class Context;
class QListWidget;
class QPushButton;

class frmPlayers : public QDialog {
    Q_OBJECT
public:
    explicit frmPlayers(Context &ctx, QWidget *parent = nullptr);

    // Fills the list, selects the current player and plays the window's sound.
    void Form_Load();
    // Refills the list from the slots and selects the current player's row.
    void LoadPlayers();
    void CompactPlayers();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdSelect_Click();
    void cmdCancel_Click();

    // The selected row's name, "" with none.
    QString selectedName() const;

    QListWidget *lvPlayer = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    // Enables the buttons that act on a row for the row selected.
    void updateButtons();

    Context &ctx_;
};
