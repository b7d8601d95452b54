#include "shell/frmFinish.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/FolderList.h"
#include "engine/cEngine.h"
#include "library/mAutoSave.h"
#include "library/mFavorites.h"
#include "library/mPending.h"
#include "library/mRecent.h"
#include "platform/ChartWidget.h"
#include "platform/Guard.h"
#include "platform/kMenu.h"
#include "scores/cScore.h"
#include "scores/frmGameStat.h"
#include "scores/frmHighScore.h"
#include "shell/cGamePlay.h"
#include "shell/mMenu.h"
#include "store/BrowseFolder.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "store/mFile.h"
#include "store/mRegistry.h"

namespace {

const QString kSection = QStringLiteral("Finish");

struct ToolButton {
    const char *key;
    const char *caption;
    const char *image;
};

// Left to right; "Close" shows the image of "History".
constexpr ToolButton kButtons[] = {
    {"New", "New Game", "New"},
    {"Select", "Select Game", "Select"},
    {"Restart", "Restart Game", "Restart"},
    {"GameStat", "Statistics", "GameStat"},
    {"HighScore", "High Score", "HighScore"},
    {"Close", "Close", "History"},
};

QIcon menuImage(Context &ctx, const char *key)
{
    const QList<QIcon> &images = ctx.menu().ImageList();
    const int index = mMenu::GetMenuImageIndex(QLatin1String(key)) - 1;
    return index >= 0 && index < images.size() ? images.at(index) : QIcon();
}

QString errorText()
{
    try {
        throw;
    } catch (const AppError &e) {
        return e.description();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return AppError::standardText(0);
    }
}

} // namespace

frmFinish::frmFinish(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Congrats"));
    setModal(true);

    SaveFavorite = [](Context &c) { mFavorites::SaveFavorite(c); };
    RecordSteps = DefaultRecordSteps();

    Toolbar1 = new QToolBar(this);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Frame1 = new QGroupBox(this);
    ListView1 = new QListWidget(Frame1);
    ListView1->setSelectionMode(QAbstractItemView::NoSelection);
    chFin = new ChartWidget(Frame1);
    chFin->setMinimumSize(260, 200);
    chkSave = new QCheckBox(QStringLiteral("Save this Game"), this);
    txtSave = new QLineEdit(this);
    cmdBrowse = new QPushButton(QStringLiteral("Browse"), this);
    chkFav = new QCheckBox(QStringLiteral("Add this Game to Favorites"), this);

    auto *summary = new QHBoxLayout(Frame1);
    summary->addWidget(ListView1, 1);
    summary->addWidget(chFin, 2);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(txtSave, 1);
    pathRow->addWidget(cmdBrowse);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(Toolbar1);
    layout->addWidget(Frame1, 1);
    layout->addWidget(chkSave);
    layout->addLayout(pathRow);
    layout->addWidget(chkFav);

    buildToolbar();
    connect(chkSave, &QCheckBox::clicked, this, [this] { chkSave_Click(); });
    connect(chkFav, &QCheckBox::clicked, this, [this] { chkFav_Click(); });
    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
}

frmFinish::~frmFinish() = default;

void frmFinish::buildToolbar()
{
    for (const ToolButton &b : kButtons) {
        const QString key = QLatin1String(b.key);
        QAction *action = Toolbar1->addAction(QLatin1String(b.caption));
        action->setObjectName(key);
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

QAction *frmFinish::toolButton(const QString &key) const
{
    for (QAction *action : Toolbar1->actions()) {
        if (action->data().toString() == key)
            return action;
    }
    return nullptr;
}

int frmFinish::ShowWin(Context &ctx, QWidget *parent)
{
    frmFinish dialog(ctx, parent);
    return dialog.run();
}

int frmFinish::run()
{
    Form_Load();
    exec();
    // A dialog closed some other way than done() still leaves the table cleared.
    Form_Unload();
    return next_;
}

void frmFinish::StartNextGame(Context &ctx, int choice)
{
    cGamePlay &session = ctx.gamePlay();
    switch (choice) {
    case NextNew: session.PlayRandom(); break;
    case NextSelect: session.SelectGame(); break;
    case NextRestart: session.Restart(); break;
    default: break;
    }
}

frmFinish *frmFinish::openDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<frmFinish *>(w);
        if (dialog && dialog->isVisible() && !dialog->unloaded_)
            return dialog;
    }
    return nullptr;
}

void frmFinish::Form_Load()
{
    cGamePlay &session = ctx_.gamePlay();
    Frame1->setTitle(session.GameName());
    ctx_.mainWindow().setGameClock(false);

    for (const ToolButton &b : kButtons)
        toolButton(QLatin1String(b.key))->setIcon(menuImage(ctx_, b.image));

    fillSummary();
    fillChart(std::max<double>(0, session.Score()), session.Moves(), session.Time());

    // A damaged choice reads as "no": it must not keep the win from being recorded.
    bool favourite = false;
    bool save = false;
    ignoreErrors([&] { favourite = AddtoFav(ctx_) == 1; });
    ignoreErrors([&] { save = SaveFile(ctx_) == 1; });
    chkFav->setChecked(favourite);
    chkSave->setChecked(save);
    enableSaveControls(save);
    // Without a saved-games folder there is no path to offer; a typed one still serves.
    QString path;
    ignoreErrors([&] { path = SavePath(ctx_); });
    txtSave->setText(path);

    ctx_.sound().Win();

    // A won pending-list game leaves the list: the crash checkpoint may have written its
    // file again while it was played. Its menu entry goes with it.
    if (session.Game_LoadingType() == cGamePlay::Pending) {
        runReported(QStringLiteral("The pending list's file of this game could not be deleted."),
                    [&] { mPending::DeletePendingFile(session.PendingFile()); });
        runReported(QStringLiteral("The pending list's menu could not be rebuilt."),
                    [&] { mPending::BuildPendMenu(ctx_); });
    }
    for (const RecordStep &step : RecordSteps)
        runReported(step.failure, [&] { step.run(ctx_); });
}

void frmFinish::fillSummary()
{
    const cGamePlay &session = ctx_.gamePlay();
    QString player;
    ignoreErrors([&] { player = mCustomize::GetCurPlayer(ctx_); });
    ListView1->clear();
    ListView1->addItems({
        QStringLiteral(" Game : ") + session.GameNo().toString(),
        QStringLiteral(" Player : ") + player,
        QStringLiteral(" Time : ") + session.TimeString(),
        QStringLiteral(" Moves : ") + QString::number(session.Moves()),
        QStringLiteral(" Score : ") + QString::number(session.Score()),
    });
}

void frmFinish::fillChart(double score, double moves, double seconds)
{
    chFin->setData(QList<double>{score, moves, seconds});
    const QStringList labels = {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")};
    for (int c = 1; c <= 3; ++c) {
        chFin->setColumn(c);
        chFin->setColumnLabel(labels.at(c - 1));
    }
}

QList<double> frmFinish::chartValues() const
{
    QList<double> values;
    for (int c = 1; c <= chFin->columnCount(); ++c)
        values << chFin->value(1, c);
    return values;
}

QStringList frmFinish::chartLabels() const
{
    QStringList labels;
    for (int c = 1; c <= chFin->columnCount(); ++c)
        labels << chFin->columnLabel(c);
    return labels;
}

void frmFinish::enableSaveControls(bool on)
{
    txtSave->setEnabled(on);
    cmdBrowse->setEnabled(on);
}

void frmFinish::chkSave_Click()
{
    const bool on = chkSave->isChecked();
    enableSaveControls(on);
    saveTicked_ = on;
    runGuarded(ctx_.messages(), [&] { ctx_.registry().KeepSetting([&] { setSaveFile(ctx_, on ? 1 : 0); }); });
}

void frmFinish::chkFav_Click()
{
    const bool on = chkFav->isChecked();
    favTicked_ = on;
    runGuarded(ctx_.messages(), [&] { ctx_.registry().KeepSetting([&] { setAddtoFav(ctx_, on ? 1 : 0); }); });
}

void frmFinish::cmdBrowse_Click()
{
    runGuarded(ctx_.messages(), [&] {
        const QString folder =
            BrowseFolder::BrowseForFolder(ctx_, QStringLiteral("Save Folder"), ctx_.data().SavedFolder());
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            return;
        txtSave->setText(FolderList::join(folder, SaveFileName(ctx_)));
    });
}

void frmFinish::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("New"))
        next_ = NextNew;
    else if (key == QLatin1String("Select"))
        next_ = NextSelect;
    else if (key == QLatin1String("Restart"))
        next_ = NextRestart;
    else if (key == QLatin1String("GameStat")) {
        // Opens over the dialog, which stays open.
        runGuarded(ctx_.messages(), [this] { frmGameStat(ctx_, this).exec(); });
        return;
    } else if (key == QLatin1String("HighScore")) {
        // Opens over the dialog, which stays open.
        runGuarded(ctx_.messages(), [this] { frmHighScore(ctx_, this).exec(); });
        return;
    } else if (key != QLatin1String("Close"))
        return;
    accept();
}

void frmFinish::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmFinish::closeForShutdown()
{
    next_ = NextNone;
    done(QDialog::Rejected);
}

void frmFinish::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;

    const QString typed = txtSave->text().trimmed();
    bool save = saveTicked_.value_or(false);
    if (!saveTicked_)
        ignoreErrors([&] { save = SaveFile(ctx_) == 1; });
    if (save && !typed.isEmpty()) {
        QString path;
        const bool saved = runReported(QStringLiteral("The game could not be saved."), [&] {
            path = CompletePath(ctx_, typed);
            ctx_.engine().SavetoFile(path);
        });
        if (saved)
            ignoreErrors(
                [&] { ctx_.registry().KeepSetting([&] { mRecent::AddRecent(ctx_, mRecent::kSaved, path); }); });
    }

    bool favourite = favTicked_.value_or(false);
    if (!favTicked_)
        ignoreErrors([&] { favourite = AddtoFav(ctx_) == 1; });
    if (favourite)
        runReported(QStringLiteral("The game could not be added to the favourites."), [&] { SaveFavorite(ctx_); });

    ignoreErrors([&] { ctx_.gamePlay().ClearArea(); });
}

bool frmFinish::runReported(const QString &failure, const std::function<void()> &body)
{
    QString text;
    try {
        body();
        return true;
    } catch (...) {
        text = errorText();
    }
    ignoreErrors(
        [&] { ctx_.messages().show(failure + QStringLiteral("\n\n") + text, MsgButtons::Ok, MsgIcon::Critical); });
    return false;
}

std::int16_t frmFinish::SaveFile(Context &ctx)
{
    return mRegistry::GetRegInteger(ctx, kSection, QStringLiteral("SaveFile"), 0);
}

void frmFinish::setSaveFile(Context &ctx, std::int16_t value)
{
    mRegistry::SetRegInteger(ctx, kSection, QStringLiteral("SaveFile"), value);
}

std::int16_t frmFinish::AddtoFav(Context &ctx)
{
    return mRegistry::GetRegInteger(ctx, kSection, QStringLiteral("AddtoFav"), 0);
}

void frmFinish::setAddtoFav(Context &ctx, std::int16_t value)
{
    mRegistry::SetRegInteger(ctx, kSection, QStringLiteral("AddtoFav"), value);
}

QString frmFinish::SaveFileName(Context &ctx)
{
    const cGamePlay &session = ctx.gamePlay();
    return mFile::GameFileName(session.GameName(), session.GameNo(), ctx.data().FinExt());
}

QString frmFinish::SavePath(Context &ctx)
{
    return FolderList::join(ctx.data().SavedFolder(), SaveFileName(ctx));
}

QString frmFinish::CompletePath(Context &ctx, const QString &typed)
{
    QString path = typed;
    if (QDir::isRelativePath(path))
        path = FolderList::join(ctx.data().SavedFolder(), path);
    const QString ext = ctx.data().FinExt();
    if (path.right(ext.size()).compare(ext, Qt::CaseInsensitive) != 0)
        path += ext;
    return path;
}

QList<frmFinish::RecordStep> frmFinish::DefaultRecordSteps()
{
    return {
        {QStringLiteral("The won game could not be auto-saved."),
         [](Context &ctx) { mAutoSave::AutoSaveGame(ctx, true); }},
        {QStringLiteral("The won game could not be added to this session's games."),
         [](Context &ctx) { ctx.score().AddSesGame(1); }},
        {QStringLiteral("The won game could not be added to the player's scores."),
         [](Context &ctx) { ctx.score().AddScore(1); }},
    };
}
