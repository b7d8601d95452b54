#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/SingleCopy.h"

namespace {
// Starts a later copy on its own thread (its hand-over waits for the running copy's answer,
// which needs this thread's event loop) and waits for its outcome.
SingleCopy::Start startLater(const QString &home, const QString &line, int answerMs = 10000)
{
    std::atomic<bool> done = false;
    SingleCopy::Start result = SingleCopy::Start::Unguarded;
    std::thread later([&] {
        SingleCopy second(home, answerMs);
        result = second.start(line);
        done = true;
    });
    const bool finished = QTest::qWaitFor([&] { return done.load(); }, 60000);
    later.join();
    EXPECT_TRUE(finished);
    return result;
}
} // namespace

TEST(SingleCopy, ALaterStartHandsItsCommandLineToTheRunningCopy)
{
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("config/Brackenfold"));
    SingleCopy first(folder);
    QStringList handed;
    bool closing = false;
    first.setHandler([&](const QString &line) {
        if (!closing)
            handed.append(line);
        return !closing;
    });
    ASSERT_EQ(first.start(QString()), SingleCopy::Start::First);

    const QString game = QStringLiteral("/saved games/Forecell – 441814.qx0");
    EXPECT_EQ(startLater(folder, game), SingleCopy::Start::HandedOver);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !handed.isEmpty(); }, 60000));
    EXPECT_EQ(handed, QStringList{game});
    // A start without a file hands over an empty line: the running copy only comes to the front.
    EXPECT_EQ(startLater(folder, QString()), SingleCopy::Start::HandedOver);
    EXPECT_TRUE(QTest::qWaitFor([&] { return handed.size() == 2; }, 60000));
    EXPECT_EQ(handed.last(), QString());
    // A copy that is closing takes nothing, and the later start is not told otherwise.
    closing = true;
    EXPECT_EQ(startLater(folder, game, 300), SingleCopy::Start::NoAnswer);
    EXPECT_EQ(handed.size(), 2);

    // Another home is another copy's.
    QTemporaryDir other;
    SingleCopy elsewhere(other.filePath(QStringLiteral("Brackenfold")));
    EXPECT_NE(elsewhere.serverName(), first.serverName());
    EXPECT_EQ(elsewhere.start(QString()), SingleCopy::Start::First);
}

TEST(SingleCopy, AKilledCopyLeavesNoLockThatBlocksAndASilentOneIsNotPassed)
{
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("Brackenfold"));
    ASSERT_TRUE(QDir().mkpath(folder));
    // A child takes the home's lock and is killed holding it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(folder + QStringLiteral("/running.lock"));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            ::raise(SIGKILL);
        ::_exit(3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/running.lock")));

    SingleCopy next(folder);
    EXPECT_EQ(next.start(QString()), SingleCopy::Start::First);

    // A live holder of the lock that never answers: the later start gives up and says so.
    QLockFile held(home.filePath(QStringLiteral("Silent/running.lock")));
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("Silent"))));
    ASSERT_TRUE(held.tryLock(0));
    SingleCopy later(home.filePath(QStringLiteral("Silent")), 300);
    EXPECT_EQ(later.start(QStringLiteral("/a.qx0")), SingleCopy::Start::NoAnswer);

    // A lock that names no process (left empty by a power loss) blocks no start for good.
    const QString empty = home.filePath(QStringLiteral("Empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    ASSERT_TRUE(QFile(empty + QStringLiteral("/running.lock")).open(QIODevice::WriteOnly));
    SingleCopy afterLoss(empty, 300);
    EXPECT_EQ(afterLoss.start(QString()), SingleCopy::Start::First);
}
