// The log statistics window: every logged game of every player, one row each, filtered
// by player, game and a date range. It loads the score logs when it opens and releases
// them however it closes; it never changes a log.
#pragma once

#include <QDialog>

class Context;
class LogRows;
class QComboBox;
class QPushButton;
class QTreeView;

class frmLogStat : public QDialog {
    Q_OBJECT
public:
    explicit frmLogStat(Context &ctx, QWidget *parent = nullptr);
    ~frmLogStat() override;

    // Loads the logs, fills the filters and the list, and plays the window's sound.
    void Form_Load();
    void LoadGames();
    void LoadPlayers();
    void LoadDates();
    // Rebuilds the list from the loaded records; "now" is read once per fill.
    void FillLog();
    void cmdClose_Click();
    void done(int result) override;

    const LogRows &rows() const { return *rows_; }

    QComboBox *imcPlayer = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcDate = nullptr;
    QTreeView *lvLog = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void Form_Unload();
    // Widens each column to the widest value of the loaded records.
    void fitColumns();

    Context &ctx_;
    LogRows *rows_ = nullptr;
    bool loaded_ = false;
};
