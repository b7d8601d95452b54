// Test main: every test program runs with a QApplication on the offscreen platform.
#include <QApplication>
#include <QThreadPool>
#include <gtest/gtest.h>

#include "platform/AppTimer.h"
#include "platform/QtWindowFit.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The game clock, replays and the other timers tick only when a test calls them.
    AppTimer::holdAll(true);
    // Windows open capped to the screen, as in the program.
    QtWindowFit::capEveryWindow(app);
    const int status = RUN_ALL_TESTS();
    // Idle workers of Qt's image scaling are ended before the exit, as the program does,
    // so the leak check at exit never meets a thread that is going away.
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
