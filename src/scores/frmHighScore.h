// The High Score window: four top-20 lists over the logs of all players (best scores,
// per game, per player, finished games). It loads every log when it opens and releases
// them however it closes; it only reads.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>

class Context;
class QComboBox;
class QPushButton;
class QTabWidget;
class QTreeWidget;
struct HighScoreList;

class frmHighScore : public QDialog {
    Q_OBJECT
public:
    explicit frmHighScore(Context &ctx, QWidget *parent = nullptr);
    ~frmHighScore() override;

    // Loads the logs, fills every tab and plays the window's sound.
    void Form_Load();
    void Form_Unload();
    void FillTopScore();
    void LoadGames();
    void FillGameTop(const QString &game);
    void LoadPlayers();
    void FillPlayerTop(const QString &player);
    void LoadFinOptions();
    void FillFinished(const QString &choice);
    void cmdClose_Click();

    void done(int result) override;

    QTabWidget *SSTab1 = nullptr;
    QTreeWidget *lvTop = nullptr;
    QTreeWidget *lvGames = nullptr;
    QTreeWidget *lvPlayer = nullptr;
    QTreeWidget *lvFin = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcPlayer = nullptr;
    QComboBox *imcFin = nullptr;
    QPushButton *cmdClose = nullptr;
    // 1 a game, 2 a row, 3 a player.
    QList<QIcon> ImageList1;

private:
    // Shows the rows in the list, every row with image 2.
    void showRows(QTreeWidget *list, const HighScoreList &rows);

    Context &ctx_;
};
