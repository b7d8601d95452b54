// The win dialog: shown modally once the winning move has returned. Its load stops the
// clock, shows the game's summary and chart and records the win (auto-save, session
// list, score log, each step on its own); its two choices, saving the game to a file and
// adding it to the favourites, are kept in the settings for the next win. Whatever closes
// it, the closing steps run exactly once: save the file, add the favourite, clear the
// table. It never starts a game itself: it returns the next game the user chose, and the
// caller starts it after the dialog has gone.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class Context;
class QAction;
class ChartWidget;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolBar;

class frmFinish : public QDialog {
    Q_OBJECT

public:
    // The game to start once the dialog has closed.
    enum NextGame : int { NextNone = 0, NextNew = 1, NextSelect = 2, NextRestart = 3 };

    // One step of recording the win: the sentence that reports its failure, and the step.
    struct RecordStep {
        QString failure;
        std::function<void(Context &)> run;
    };

    explicit frmFinish(Context &ctx, QWidget *parent = nullptr);
    ~frmFinish() override;

    // The whole dialog for the game just won: load, show modally, closing steps. Returns
    // the NextGame the user chose; start it with StartNextGame.
    static int ShowWin(Context &ctx, QWidget *parent = nullptr);
    // Starts the chosen game: a random deal of the same game, the selection, or the same
    // deal again; nothing for NextNone.
    static void StartNextGame(Context &ctx, int choice);
    // The win dialog that is open now, or null.
    static frmFinish *openDialog();

    // Loads the dialog and records the win; a step that fails is reported and the others
    // still run.
    int run();
    void Form_Load();
    void chkSave_Click();
    void chkFav_Click();
    void cmdBrowse_Click();
    // By the button's key: "New", "Select", "Restart", "GameStat", "HighScore", "Close".
    void Toolbar1_ButtonClick(const QString &key);
    // The closing steps; they run once, whatever closes the dialog.
    void Form_Unload();
    // Closes the dialog at program shutdown: the closing steps run, no game follows.
    void closeForShutdown();
    int nextGame() const { return next_; }
    bool unloaded() const { return unloaded_; }

    // Settings "Finish" / "SaveFile" and "AddtoFav": 1 on, 0 off (default).
    static std::int16_t SaveFile(Context &ctx);
    static void setSaveFile(Context &ctx, std::int16_t value);
    static std::int16_t AddtoFav(Context &ctx);
    static void setAddtoFav(Context &ctx, std::int16_t value);

    // "name-number" and the finished-game extension, made safe and cut to fit
    // (mFile::GameFileName).
    static QString SaveFileName(Context &ctx);
    // The saved-games folder joined with SaveFileName.
    static QString SavePath(Context &ctx);
    // The path a typed text saves to: relative to the saved-games folder unless absolute,
    // and ending in the finished-game extension (compared in any letter case).
    static QString CompletePath(Context &ctx, const QString &typed);
    // The steps that record a win, in their order: auto-save, session list, score log.
    static QList<RecordStep> DefaultRecordSteps();

    // The toolbar button of a key, or null.
    QAction *toolButton(const QString &key) const;
    // The chart's three values: score (0 when negative), moves, seconds.
    QList<double> chartValues() const;
    QStringList chartLabels() const;

    // Replaceable steps: adding the favourite, and the recording of the win.
    std::function<void(Context &)> SaveFavorite;
    QList<RecordStep> RecordSteps;

    QGroupBox *Frame1 = nullptr;
    QListWidget *ListView1 = nullptr;
    ChartWidget *chFin = nullptr;
    QCheckBox *chkSave = nullptr;
    QLineEdit *txtSave = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QCheckBox *chkFav = nullptr;
    QToolBar *Toolbar1 = nullptr;

public slots:
    void done(int result) override;

private:
    void buildToolbar();
    void fillSummary();
    void fillChart(double score, double moves, double seconds);
    void enableSaveControls(bool on);
    // Runs a step; a failure is shown with the sentence before the error's own text.
    bool runReported(const QString &failure, const std::function<void()> &body);

    Context &ctx_;
    int next_ = NextNone;
    bool unloaded_ = false;
    // The user's last tick of each box: it decides the closing steps even when it could not be stored.
    std::optional<bool> saveTicked_;
    std::optional<bool> favTicked_;
};
