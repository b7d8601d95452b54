#include "support/Fifo.h"

#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

void makeFifo(const QString &path)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

bool runsWithoutOpening(const QStringList &fifos, const std::function<void()> &call)
{
    std::atomic<bool> done{false};
    std::atomic<bool> released{false};
    std::thread watch([&] {
        using namespace std::chrono_literals;
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        while (!done && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        // A non-blocking open for writing succeeds only while a reader waits in its open:
        // opening and closing it lets that reader go on, reading an empty file.
        while (!done) {
            for (const QString &fifo : fifos) {
                const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    ::close(fd);
                    released = true;
                }
            }
            std::this_thread::sleep_for(10ms);
        }
    });
    struct Stop {
        std::atomic<bool> &done;
        std::thread &watch;
        ~Stop()
        {
            done = true;
            watch.join();
        }
    };
    {
        const Stop stop{done, watch};
        call();
    }
    return !released;
}
