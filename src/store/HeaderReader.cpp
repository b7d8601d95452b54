#include "store/HeaderReader.h"

#include <exception>
#include <utility>

HeaderReader::HeaderReader(QObject *parent) : QObject(parent) {}

HeaderReader::~HeaderReader()
{
    stop();
}

void HeaderReader::start(const QStringList &paths)
{
    stop();
    busy_ = true;
    const quint64 run = run_;
    worker_ = std::thread([this, paths, run] { work(paths, run); });
}

void HeaderReader::stop()
{
    stopping_ = true;
    if (worker_.joinable())
        worker_.join();
    stopping_ = false;
    // Batches of the stopped run still queued are dropped when they come.
    ++run_;
    busy_ = false;
}

void HeaderReader::work(const QStringList &paths, quint64 run)
{
    QList<Result> batch;
    for (const QString &path : paths) {
        if (stopping_)
            return;
        Result r{path, {}, std::nullopt};
        const RegularFile::Stamp before = RegularFile::stampOf(path);
        if (before.regular) {
            try {
                SavedGameInfo info = mFile::ReadGameHeader(path);
                if (RegularFile::stampOf(path).sameFile(before))
                    r = Result{path, before, std::move(info)};
            } catch (const std::exception &) {
                // Left without a header: its owner reads it again and leaves it out.
                r.info.reset();
            }
        }
        batch.append(std::move(r));
        if (batch.size() >= kBatch)
            deliver(std::exchange(batch, {}), run, false);
    }
    deliver(std::move(batch), run, true);
}

void HeaderReader::deliver(QList<Result> batch, quint64 run, bool last)
{
    // Queued to the owner's thread; the owner stops this worker before it goes away, and
    // the events still queued for it go with it.
    QMetaObject::invokeMethod(
        this,
        [this, batch = std::move(batch), run, last] {
            if (run != run_)
                return;
            if (!batch.isEmpty())
                emit arrived(batch);
            if (last && run == run_) {
                busy_ = false;
                emit finished();
            }
        },
        Qt::QueuedConnection);
}
