#include "platform/SingleCopy.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

namespace {
// The running copy greets each connection with one byte; only then is the message sent,
// so a copy that does not answer never gets a command line it would open much later. A
// message is its length (4 bytes, big-endian) and the command line in UTF-8; the running
// copy answers one byte: taken, or refused while it closes.
constexpr char kReady = 'R';
constexpr char kTaken = '1';
constexpr char kRefused = '0';
constexpr quint32 kMaxMessage = 64 * 1024;

QByteArray frame(const QString &commandLine)
{
    const QByteArray text = commandLine.toUtf8().left(kMaxMessage);
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << static_cast<quint32>(text.size());
    message.append(text);
    return message;
}
} // namespace

SingleCopy::SingleCopy(QString folder, int answerMs) : folder_(std::move(folder)), answerMs_(answerMs) {}

SingleCopy::~SingleCopy()
{
    // The socket goes before the lock: a start that finds the lock free never finds the
    // name still taken.
    if (server_)
        server_->close();
    if (lock_)
        lock_->unlock();
}

QString SingleCopy::serverName() const
{
    const QString home =
        QDir(folder_).canonicalPath().isEmpty() ? QDir(folder_).absolutePath() : QDir(folder_).canonicalPath();
    const QByteArray key = QByteArray::number(::getuid()) + '\n' + home.toUtf8();
    return QStringLiteral("brackenfold-") +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
}

SingleCopy::Start SingleCopy::start(const QString &commandLine)
{
    if (!QDir().mkpath(folder_))
        return Start::Unguarded;
    lock_ = std::make_unique<QLockFile>(QDir(folder_).filePath(QStringLiteral("running.lock")));
    // Never stale by age: only a lock whose process is gone is taken over.
    lock_->setStaleLockTime(0);
    const QDeadlineTimer deadline(answerMs_);
    while (true) {
        if (lock_->tryLock(0))
            return listen() ? Start::First : Start::Unguarded;
        if (lock_->error() != QLockFile::LockFailedError)
            return Start::Unguarded;
        // The copy that holds the lock may still be starting: it listens right after locking.
        if (handOver(commandLine))
            return Start::HandedOver;
        if (deadline.hasExpired())
            return lastTry();
        QThread::msleep(50);
    }
}

SingleCopy::Start SingleCopy::lastTry()
{
    // A lock that names no process (empty after a power loss, damaged) would never go
    // stale; one that still reads so after the whole wait is not being written, and goes.
    qint64 pid = 0;
    QString host;
    QString app;
    if (!lock_->getLockInfo(&pid, &host, &app))
        lock_->removeStaleLockFile();
    // The running copy may also have ended while a hand-over waited out the deadline.
    if (lock_->tryLock(0))
        return listen() ? Start::First : Start::Unguarded;
    return Start::NoAnswer;
}

bool SingleCopy::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A name left by a killed copy is ours to clear: we hold the lock.
    QLocalServer::removeServer(serverName());
    if (!server_->listen(serverName()))
        return false;
    connect(server_, &QLocalServer::newConnection, this, &SingleCopy::accept);
    return true;
}

void SingleCopy::accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        socket->write(&kReady, 1);
        socket->flush();
        readFrom(socket);
    }
}

void SingleCopy::readFrom(QLocalSocket *socket)
{
    if (socket->bytesAvailable() < 4)
        return;
    quint32 size = 0;
    {
        const QByteArray head = socket->peek(4);
        QDataStream in(head);
        in >> size;
    }
    if (size > kMaxMessage) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < 4 + static_cast<qint64>(size))
        return;
    socket->skip(4);
    const QString line = QString::fromUtf8(socket->read(size));
    const bool taken = !handler_ || handler_(line);
    socket->write(taken ? &kTaken : &kRefused, 1);
    socket->flush();
    socket->disconnectFromServer();
}

bool SingleCopy::handOver(const QString &commandLine)
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(answerMs_))
        return false;
    auto answer = [&](char expected) {
        while (socket.bytesAvailable() < 1) {
            if (!socket.waitForReadyRead(answerMs_))
                return false;
        }
        char byte = 0;
        return socket.read(&byte, 1) == 1 && byte == expected;
    };
    if (!answer(kReady))
        return false;
    socket.write(frame(commandLine));
    if (!socket.waitForBytesWritten(answerMs_))
        return false;
    return answer(kTaken);
}
