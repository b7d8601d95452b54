// The program: creates the shared objects, sets up the product data and shows the
// splash window, which hands over to the board window. Termination signals and the
// desktop's log-out cancel open dialogs and close the board window the ordinary way, so
// the game is kept.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QThreadPool>
#include <cstdio>

#include "core/AppError.h"

#include "engine/DisplayList.h"
#include "engine/mStudio.h"
#include "platform/ArtLibrary.h"
#include "platform/CanberraSoundPlayer.h"
#include "platform/DesktopTools.h"
#include "platform/Guard.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/QtWindowFit.h"
#include "platform/ShellFolders.h"
#include "platform/SingleCopy.h"
#include "platform/TerminationSignals.h"
#include "scores/QtInputDialog.h"
#include "shell/BoardView.h"
#include "app/Context.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "store/QtHelpViewer.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "studio/QtRulesWindow.h"

namespace {
// The program's arguments after Qt has taken its own options, joined by one blank.
QString commandLine(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' ')).trimmed();
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QIcon::setFallbackThemeName(QStringLiteral("breeze"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/brackenfold.svg")));
    // Ties the windows to the installed launcher, whose icon and name the desktop shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("brackenfold"));
    QtWindowFit::capEveryWindow(app);

    QtMessageBox messages;
    StandardShellFolders shellFolders;

    // One running copy per home: a second start hands its saved game to the running copy,
    // which opens it, and ends. Its path is made whole here, where it was given.
    const QString line = commandLine(QCoreApplication::arguments());
    const QString home = cRegistry::SettingsFolder(shellFolders);
    SingleCopy single(home);
    switch (single.start(line.isEmpty() ? line : QFileInfo(line).absoluteFilePath())) {
    case SingleCopy::Start::HandedOver: return 0;
    case SingleCopy::Start::NoAnswer: {
        const QString text = QStringLiteral("Another copy of Brackenfold is running with the settings in %1 and does "
                                            "not answer, so this one does not start. Close that copy, or end it if "
                                            "it does not respond, and start again.")
                                 .arg(QDir::toNativeSeparators(home));
        std::fprintf(stderr, "brackenfold: %s\n", qPrintable(text));
        messages.show(text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Brackenfold"));
        return 1;
    }
    case SingleCopy::Start::First:
    case SingleCopy::Start::Unguarded: break;
    }
    CanberraSoundPlayer soundPlayer;
    QtFileDialog fileDialogs;
    SystemDesktopTools desktopTools;
    QtHelpViewer help;
    DisplayList board;
    Services services;
    services.messages = &messages;
    services.shellFolders = &shellFolders;
    services.soundPlayer = &soundPlayer;
    services.surface = &board;
    services.fileDialogs = &fileDialogs;
    services.desktopTools = &desktopTools;
    services.help = &help;
    QtInputDialog inputDialog(messages);
    services.inputDialog = &inputDialog;
    QtRulesWindow rulesWindow;
    services.rulesWindow = &rulesWindow;

    Context ctx(services);
    rulesWindow.setContext(&ctx);
    const bool ok = runGuarded(messages, [&] {
        try {
            ctx.createSharedObjects();
            mStudio::InitProduct(ctx);
        } catch (const AppError &e) {
            // Also on the terminal: a message box on a virtual display is seen by nobody.
            std::fprintf(stderr, "brackenfold: %s\n", qPrintable(e.description()));
            throw;
        }
    });
    if (!ok)
        return 1;
    // Message boxes without a title of their own are titled with the product's full name.
    messages.setAppTitle(ctx.data().ProdName());

    ArtCardImages images(ctx.art());
    frmMain window(ctx, board, images);
    rulesWindow.setOwner(&window);
    // The ordinary close with open dialogs cancelled; every signal counts, so one arriving
    // after the shutdown ends the program.
    const TerminationSignals termination([&window] { window.CloseOnRequest(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.CloseOnRequest(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.ShutDown(); });

    single.setHandler([&window](const QString &handed) { return window.OpenHandedOver(handed); });
    auto *splash = new frmSplash(ctx, [&window, line] { window.Form_Load(line); });
    splash->show();
    const int status = QApplication::exec();
    // Qt's image scaling leaves idle worker threads in its global pool; they are ended
    // here, while everything they could touch still stands, not during the exit.
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
