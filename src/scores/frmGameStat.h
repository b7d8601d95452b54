// The game statistics window: totals and averages over every player's score log, as a
// general summary and per game, per period and per player, each with two charts; it
// also clears the logs and exports the statistics report. The logs stay loaded while
// it is open and are released however it closes; clearing leaves what it shows.
#pragma once

#include <QDialog>

class ChartWidget;
class Context;
class QComboBox;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;

class frmGameStat : public QDialog {
    Q_OBJECT
public:
    explicit frmGameStat(Context &ctx, QWidget *parent = nullptr);
    ~frmGameStat() override;

    void Form_Load();
    void FillGeneral();
    void FillGames();
    void LoadDates();
    void FillPlayers();
    void ShowGameChart(const QString &game);
    // key "5d", "10d", "30d", "5m", "10m" or "5y"; interval "d", "m" or "yyyy".
    void ShowDateStat(const QString &key, const QString &interval);
    void ShowPlayerChart(const QString &player);
    void cmdClear_Click();
    void cmdExport_Click();
    void cmdClose_Click();
    void done(int result) override;

    QTabWidget *SSTab1 = nullptr;
    QListWidget *lvGeneral = nullptr;
    QTreeWidget *lvGames = nullptr;
    QTreeWidget *lvDate = nullptr;
    QTreeWidget *lvPlayer = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcDate = nullptr;
    QComboBox *imcPlayer = nullptr;
    ChartWidget *chGen = nullptr;
    ChartWidget *chGen1 = nullptr;
    ChartWidget *chGames = nullptr;
    ChartWidget *chGames1 = nullptr;
    ChartWidget *chDate = nullptr;
    ChartWidget *chDate1 = nullptr;
    ChartWidget *chPlayer = nullptr;
    ChartWidget *chPlayer1 = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void Form_Unload();

    Context &ctx_;
    bool loaded_ = false;
};
