// The program: creates the shared objects, sets up the product data and shows the
// splash window, which hands over to the board window. Termination signals and the
// desktop's log-out cancel open dialogs and close the board window the ordinary way, so
// the game is kept.
#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "core/AppError.h"

#include "engine/DisplayList.h"
#include "engine/mStudio.h"
#include "platform/ArtLibrary.h"
#include "platform/CanberraSoundPlayer.h"
#include "platform/DesktopTools.h"
#include "platform/Guard.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/ShellFolders.h"
#include "scores/QtInputDialog.h"
#include "shell/BoardView.h"
#include "app/Context.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "store/QtHelpViewer.h"
#include "store/cData.h"
#include "studio/QtRulesWindow.h"

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: the event loop reads the pipe.
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void watchTerminationSignals(frmMain &window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
        // The ordinary close with open dialogs cancelled; every signal counts, so one
        // arriving after the shutdown ends the program.
        window.CloseOnRequest();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

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

    QtMessageBox messages;
    StandardShellFolders shellFolders;
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
    watchTerminationSignals(window);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.CloseOnRequest(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.ShutDown(); });

    const QString line = commandLine(QCoreApplication::arguments());
    auto *splash = new frmSplash(ctx, [&window, line] { window.Form_Load(line); });
    splash->show();
    return QApplication::exec();
}
