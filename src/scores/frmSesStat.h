// The session statistics window: the games ended since the program started and the
// game in play, with running totals and two charts. A half-second tick keeps the
// elapsed times and the running game's time and score current while it is open; it
// reads only the session list and the game in play and changes neither.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QList>

#include "platform/AppTimer.h"

class ChartWidget;
class Context;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeView;
class SessionRows;

class frmSesStat : public QDialog {
    Q_OBJECT
public:
    explicit frmSesStat(Context &ctx, QWidget *parent = nullptr);
    ~frmSesStat() override;

    void Form_Load();
    void FillSummary();
    void FillSessionChart();
    void ShowThisGame();
    void Timer1_Timer();
    void cmdRefresh_Click();
    void cmdClose_Click();
    void done(int result) override;

    const SessionRows &sessionRows() const { return *session_; }
    const SessionRows &chartRows() const { return *chart_; }

    QTabWidget *SSTab1 = nullptr;
    QLabel *lblSesStarted = nullptr;
    QLabel *lblSesPlayed = nullptr;
    QLabel *lblSesWon = nullptr;
    QLabel *lblSesLost = nullptr;
    QLabel *lblsesScore = nullptr;
    QLabel *lblSesMoves = nullptr;
    QLabel *lblSesElapsedTime = nullptr;
    QLabel *lblGameStarted = nullptr;
    QLabel *lblGameName = nullptr;
    QLabel *lblGameNo = nullptr;
    QLabel *lblGameScore = nullptr;
    QLabel *lblGameMoves = nullptr;
    QLabel *lblGameTime = nullptr;
    QLabel *lblPlayer = nullptr;
    QTreeView *lvSession = nullptr;
    QTreeView *lvSesChart = nullptr;
    ChartWidget *chSummary = nullptr;
    ChartWidget *chChart = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QPushButton *cmdClose = nullptr;
    AppTimer Timer1{500};

private:
    // "Time Elapsed : " and the whole seconds since the session started.
    void showElapsed();
    // Gives chChart its rows again, labelled Score, Moves, Time, once its tab has shown.
    void showChart();

    Context &ctx_;
    SessionRows *session_ = nullptr;
    SessionRows *chart_ = nullptr;
    QDateTime sessionStart_; // read once at open; invalid when the text is not a date
    QList<QList<double>> chartData_;
    bool chartShown_ = false; // chChart has been given its data
};
