// One running copy of the program per home. The first start takes a lock file in the
// home's settings folder and listens on a local socket named after that folder; a later
// start on the same home finds the lock taken, hands its command line to the running copy
// over the socket and ends. A copy that was killed leaves a lock naming a process that is
// gone: the next start takes it over.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

class SingleCopy : public QObject {
    Q_OBJECT

public:
    enum class Start {
        First,      // this is the home's running copy; handed command lines arrive by handler
        HandedOver, // another copy runs and took the command line
        NoAnswer,   // another copy holds the home but did not take the command line in time
        Unguarded,  // the lock could not be made (no folder, no room): the copy runs alone, unguarded
    };

    // folder: the home's settings folder, created when missing. answerMs: how long a later
    // start waits for the running copy to take its command line.
    explicit SingleCopy(QString folder, int answerMs = 5000);
    ~SingleCopy() override;
    SingleCopy(const SingleCopy &) = delete;
    SingleCopy &operator=(const SingleCopy &) = delete;

    // Takes the home or hands the command line over. Called once.
    Start start(const QString &commandLine);
    // Each command line a later start hands over. The handler answers whether the copy takes
    // it; one that is closing does not, and the later start then waits for the home instead.
    void setHandler(std::function<bool(const QString &)> handler) { handler_ = std::move(handler); }

    const QString &folder() const { return folder_; }
    // The socket's name: one per home and user, so that two homes never meet.
    QString serverName() const;

private:
    Start lastTry();
    bool listen();
    void accept();
    void readFrom(QLocalSocket *socket);
    bool handOver(const QString &commandLine);

    QString folder_;
    int answerMs_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
    std::function<bool(const QString &)> handler_;
};
