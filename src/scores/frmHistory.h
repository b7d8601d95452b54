// The game history window: every recorded move of the game in play, the current move
// and the undone ones marked, and the list exported as a text file. It only reads the
// record; an export that fails is reported with the file's name and claims no success.
#pragma once

#include <QDialog>

class Context;
class HistoryRows;
class QPushButton;
class QTreeView;

class frmHistory : public QDialog {
    Q_OBJECT
public:
    explicit frmHistory(Context &ctx, QWidget *parent = nullptr);

    // Fills the list and plays the window's sound.
    void Form_Load();
    // Fills the list from the move record and shows the current move.
    void LoadHistory();
    // Asks for a file and writes the history there; a cancel does nothing.
    void cmdExport_Click();
    void cmdClose_Click();

    const HistoryRows &rows() const { return *rows_; }

    QTreeView *lvHistory = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    Context &ctx_;
    HistoryRows *rows_ = nullptr;
};
