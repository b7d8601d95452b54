// The program: sets up the shared objects and the product data, then ends. A failure
// during set-up (no user folder, say) is reported and the program exits cleanly.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "core/AppError.h"

#include "engine/mStudio.h"
#include "platform/Guard.h"
#include "platform/QtMessageBox.h"
#include "platform/QtSoundPlayer.h"
#include "platform/ShellFolders.h"
#include "shell/Context.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QIcon::setFallbackThemeName(QStringLiteral("breeze"));

    QtMessageBox messages;
    messages.setAppTitle(QStringLiteral("Brackenfold 6.0"));
    StandardShellFolders shellFolders;
    Services services;
    services.messages = &messages;
    services.shellFolders = &shellFolders;
    QtSoundPlayer soundPlayer;
    services.soundPlayer = &soundPlayer;

    Context ctx(services);
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
    return ok ? 0 : 1;
}
