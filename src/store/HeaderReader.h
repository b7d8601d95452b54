// Saved-game headers read on a worker thread and handed back, in batches and in the
// order asked, to the thread that owns the reader, so a window can list thousands of
// files at once and fill in their texts as they arrive. Only regular files are opened,
// so nothing can block the worker. A new start drops whatever an earlier one had not
// handed back yet; stopping (or destroying the reader) waits for the worker to end, and
// no batch of a stopped run arrives afterwards.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>
#include <thread>

#include "core/RegularFile.h"
#include "store/mFile.h"

class HeaderReader : public QObject {
    Q_OBJECT
public:
    // One file's header, with the size and modification time the file had both before
    // and after it was read; none when it could not be read or changed meanwhile.
    struct Result {
        QString path;
        RegularFile::Stamp stamp;
        std::optional<SavedGameInfo> info;
    };

    explicit HeaderReader(QObject *parent = nullptr);
    ~HeaderReader() override;
    HeaderReader(const HeaderReader &) = delete;
    HeaderReader &operator=(const HeaderReader &) = delete;

    // Starts reading the headers of paths, after stopping any earlier run.
    void start(const QStringList &paths);
    void stop();
    // True from start until the last batch of the run has been handed back.
    bool busy() const { return busy_; }

    // How many files make a batch.
    static constexpr qsizetype kBatch = 100;

signals:
    void arrived(const QList<HeaderReader::Result> &batch);
    void finished();

private:
    void work(const QStringList &paths, quint64 run);
    void deliver(QList<Result> batch, quint64 run, bool last);

    std::thread worker_;
    std::atomic<bool> stopping_{false};
    quint64 run_ = 0; // the run whose batches are handed back; owner's thread only
    bool busy_ = false;
};
