#include "platform/single_instance.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>

#include <signal.h>
#include <unistd.h>

namespace tonolog {

namespace {

// What a later start sends, and what the primary answers once it has taken the request.
constexpr char activateRequest[] = "tonolog activate\n";
constexpr char activateAnswer[] = "ok\n";
// A longer line is not one of ours.
constexpr qint64 maxLineLength = 64;
// A connection that sends nothing is dropped after this long.
constexpr int idleConnectionMs = 5000;
// How long a later start waits between attempts to reach a primary that is not listening yet.
constexpr int retryPauseMs = 25;

// The user's runtime directory, made if missing and kept private to the user. Empty when there is
// none that belongs to this user.
QString privateDirectory(const QString& dir) {
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return {};
    const QFileInfo info(dir);
    if (!info.isDir() || info.ownerId() != ::geteuid())
        return {};
    constexpr QFile::Permissions othersMay = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    if ((info.permissions() & othersMay) != 0 &&
        !QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return {};
    return dir;
}

// A lock that names no owner (an empty or garbled file: a kill between creating and writing it,
// or a stray file), or whose owner no longer runs, belongs to no running instance.
// A lock that another start is creating at this moment is empty for an instant: only one that has
// named no owner for a while counts.
bool heldByNobody(const QLockFile& lock, const QString& path) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0) {
        const QDateTime written = QFileInfo(path).lastModified();
        return !written.isValid() || written.msecsTo(QDateTime::currentDateTime()) > 2000;
    }
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

int remainingMs(const QDeadlineTimer& deadline) {
    return deadline.isForever() ? -1 : static_cast<int>(deadline.remainingTime());
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(name),
      runtimeDir_(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)) {}

SingleInstance::~SingleInstance() {
    // The socket goes first: while the lock is held no new primary can have replaced it.
    if (server_ != nullptr)
        server_->close();
    delete server_;
    server_ = nullptr;
    lock_.reset();
}

QString SingleInstance::lockPath() const {
    return runtimeDir_.isEmpty() ? QString()
                                 : runtimeDir_ + QLatin1Char('/') + name_ + QLatin1String(".lock");
}

QString SingleInstance::serverPath() const {
    return runtimeDir_.isEmpty() ? QString()
                                 : runtimeDir_ + QLatin1Char('/') + name_ + QLatin1String(".socket");
}

bool SingleInstance::isListening() const {
    return server_ != nullptr && server_->isListening();
}

bool SingleInstance::tryBecomePrimary() {
    if (primary_)
        return true;
    if (privateDirectory(runtimeDir_).isEmpty()) {
        qWarning("Tonolog: no private runtime directory; not checking for another running instance");
        primary_ = true;
        return true;
    }

    auto lock = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: only when its holder no longer runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError && heldByNobody(*lock, lockPath()) &&
        lock->removeStaleLockFile())
        lock->tryLock(0);
    if (!lock->isLocked()) {
        if (lock->error() == QLockFile::LockFailedError)
            return false;
        qWarning("Tonolog: cannot create %s; not checking for another running instance",
                 qUtf8Printable(lockPath()));
        primary_ = true;
        return true;
    }
    lock_ = std::move(lock);
    primary_ = true;

    // A socket file left by an instance that was killed; only the lock holder may remove it.
    QLocalServer::removeServer(serverPath());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (!server_->listen(serverPath()))
        qWarning("Tonolog: cannot listen on %s: %s", qUtf8Printable(serverPath()),
                 qUtf8Printable(server_->errorString()));
    return true;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { readRequest(socket); });
        QTimer::singleShot(idleConnectionMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maxLineLength) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    const QByteArray line = socket->readLine(maxLineLength + 1);
    const bool activate = line == activateRequest;
    if (activate) {
        socket->write(activateAnswer);
        socket->flush();
    }
    socket->disconnectFromServer();
    if (activate)
        Q_EMIT activationRequested();
}

bool SingleInstance::notifyPrimary(int timeoutMs) {
    const QString path = serverPath();
    if (path.isEmpty())
        return false;
    // A negative time waits for ever.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(remainingMs(deadline)))
            break;
        const QLocalSocket::LocalSocketError error = socket.error();
        socket.abort();
        // Not there yet, or a socket file left by a killed instance: the primary may be starting.
        const bool mayAppear =
            error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError;
        if (!mayAppear || deadline.hasExpired())
            return false;
        const int pause = remainingMs(deadline);
        QThread::msleep(static_cast<unsigned long>(pause < 0 ? retryPauseMs : qMin(pause, retryPauseMs)));
    }

    socket.write(activateRequest);
    if (!socket.waitForBytesWritten(remainingMs(deadline)))
        return false;
    QByteArray reply;
    while (!reply.contains('\n') && reply.size() <= maxLineLength) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(remainingMs(deadline)))
            break;
        reply += socket.readAll();
    }
    socket.abort();
    return reply == activateAnswer;
}

} // namespace tonolog
