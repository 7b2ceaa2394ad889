// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QStringDecoder>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <optional>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace tonolog {

namespace {

// The beginning of a request, and what the primary answers once it has taken one.
constexpr char requestMagic[] = "TNL1";
constexpr qint64 magicLength = 4;
constexpr qint64 headerLength = magicLength + 4;
constexpr char answer[] = "ok\n";
constexpr qint64 answerLength = 3;
// Far beyond any path the system can open (PATH_MAX is 4096 bytes); a longer one is not ours.
constexpr quint32 maxPathBytes = 16384;
// How long a later start waits between attempts to reach a primary that is not listening yet.
constexpr int retryPauseMs = 25;

// The user's runtime directory, made if missing and kept private to the user. Empty when there is
// none that belongs to this user.
QString privateDirectory(const QString& dir) {
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return {};
    const QFileInfo info(dir);
    if (!info.isDir())
        return {};
#if defined(Q_OS_UNIX)
    if (info.ownerId() != ::geteuid())
        return {};
#endif
    constexpr QFile::Permissions othersMay = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    if ((info.permissions() & othersMay) != 0 &&
        !QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return {};
    return dir;
}

// A lock that names no owner (an empty or garbled file: a kill between creating and writing it,
// or a stray file) belongs to no running instance. A lock that another start is creating at this
// moment is empty for an instant: only one that has named no owner for a while counts, or one dated
// in the future (the clock was set back since). A lock that names its owner is the lock file's own
// to judge: stale when its owner no longer runs on this computer.
bool heldByNobody(const QLockFile& lock, const QString& path, int unfinishedLockMs) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application) && pid > 0)
        return false;
    const QDateTime written = QFileInfo(path).lastModified();
    const qint64 age = written.isValid() ? written.msecsTo(QDateTime::currentDateTime()) : 0;
    return !written.isValid() || age > unfinishedLockMs || age < 0;
}

// The session an instance runs in: its computer, its runtime directory and its display (a
// second login on the same computer may share the runtime directory, not the display).
QByteArray sessionOf(const QString& runtimeDir) {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
        // ":0.0" and ":0" are one display: the screen number goes.
        if (display.lastIndexOf(QLatin1Char('.')) > display.lastIndexOf(QLatin1Char(':')))
            display.truncate(display.lastIndexOf(QLatin1Char('.')));
    }
    return (QSysInfo::machineHostName() + QLatin1Char('\n') + runtimeDir + QLatin1Char('\n') + display +
            QLatin1Char('\n'))
        .toUtf8();
}

int remainingMs(const QDeadlineTimer& deadline) {
    return deadline.isForever() ? -1 : static_cast<int>(deadline.remainingTime());
}

QByteArray requestFor(const QString& filePath) {
    const QByteArray path = filePath.toUtf8();
    const auto length = static_cast<quint32>(path.size());
    QByteArray message(requestMagic, magicLength);
    for (int shift = 24; shift >= 0; shift -= 8)
        message.append(static_cast<char>((length >> shift) & 0xFF));
    return message + path;
}

quint32 pathLengthIn(const QByteArray& header) {
    quint32 length = 0;
    for (qint64 i = magicLength; i < headerLength; ++i)
        length = (length << 8) | static_cast<unsigned char>(header[i]);
    return length;
}

// The path of a request, or nothing when it is not a usable absolute path in UTF-8.
std::optional<QString> pathFrom(const QByteArray& bytes) {
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString path = decoder.decode(bytes);
    if (decoder.hasError() || (!path.isEmpty() && QDir::isRelativePath(path)))
        return std::nullopt;
    return path;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& lockDir, QObject* parent)
    : QObject(parent), name_(name),
      runtimeDir_(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)), lockDir_(lockDir) {
    if (lockDir_.endsWith(QLatin1Char('/')))
        lockDir_.chop(1);
}

SingleInstance::~SingleInstance() {
    release();
}

void SingleInstance::release() {
    // The socket goes first: while the lock is held no new primary can have replaced it.
    if (server_ != nullptr)
        server_->close();
    delete server_;
    server_ = nullptr;
    if (lock_ != nullptr && !lockDir_.isEmpty())
        QFile::remove(sessionPath());
    lock_.reset();
}

QString SingleInstance::lockPath() const {
    const QString& dir = lockDir_.isEmpty() ? runtimeDir_ : lockDir_;
    return dir.isEmpty() ? QString() : dir + QLatin1Char('/') + name_ + QLatin1String(".lock");
}

QString SingleInstance::sessionPath() const {
    return lockDir_.isEmpty() ? QString() : lockDir_ + QLatin1Char('/') + name_ + QLatin1String(".session");
}

bool SingleInstance::primaryRunsInAnotherSession() const {
    if (lockDir_.isEmpty())
        return false;
    QFile session(sessionPath());
    // Not written yet, or left by an earlier holder of the lock: the primary may be starting in
    // this session.
    const QDateTime written = QFileInfo(session).lastModified();
    if (!session.open(QIODevice::ReadOnly) || written < QFileInfo(lockPath()).lastModified())
        return false;
    return session.read(4096) != sessionOf(runtimeDir_);
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
    const bool runtime = !privateDirectory(runtimeDir_).isEmpty();
    if (!runtime && lockDir_.isEmpty()) {
        qWarning("Tonolog: no private runtime directory; not checking for another running instance");
        primary_ = true;
        return true;
    }

    auto lock = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: only when its holder no longer runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError &&
        heldByNobody(*lock, lockPath(), timeouts_.unfinishedLockMs) && lock->removeStaleLockFile())
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
    if (!lockDir_.isEmpty()) {
        QFile session(sessionPath());
        if (!session.open(QIODevice::WriteOnly | QIODevice::Truncate, QFile::ReadOwner | QFile::WriteOwner) ||
            session.write(sessionOf(runtimeDir_)) < 0)
            qWarning("Tonolog: cannot write %s", qUtf8Printable(sessionPath()));
    }
    if (!runtime) {
        qWarning("Tonolog: no private runtime directory; a later start cannot hand its file over");
        return true;
    }

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
        QTimer::singleShot(timeouts_.idleConnectionMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    // Waits for the whole message; what cannot become one of ours ends the connection unanswered.
    const auto refuse = [socket] {
        socket->abort();
        socket->deleteLater();
    };
    const QByteArray start = socket->peek(headerLength);
    if (!QByteArray(requestMagic, magicLength).startsWith(start.left(magicLength)))
        return refuse();
    if (start.size() < headerLength)
        return;
    const quint32 length = pathLengthIn(start);
    if (length > maxPathBytes)
        return refuse();
    const qint64 total = headerLength + static_cast<qint64>(length);
    if (socket->bytesAvailable() < total)
        return;
    if (socket->bytesAvailable() > total)
        return refuse();
    const std::optional<QString> path = pathFrom(socket->read(total).mid(headerLength));
    if (!path)
        return refuse();
    socket->write(answer, answerLength);
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT activationRequested();
    if (!path->isEmpty())
        Q_EMIT openRequested(*path);
}

SingleInstance::StartOutcome SingleInstance::start(const QString& filePath) {
    if (tryBecomePrimary())
        return StartOutcome::primary;
    if (primaryRunsInAnotherSession())
        return StartOutcome::otherSession;
    if (notifyPrimary(filePath))
        return StartOutcome::handedOver;
    if (tryBecomePrimary())
        return StartOutcome::primary;
    return primaryRunsInAnotherSession() ? StartOutcome::otherSession : StartOutcome::noAnswer;
}

bool SingleInstance::notifyPrimary(const QString& filePath) {
    const QString path = serverPath();
    if (path.isEmpty())
        return false;
    // A negative time waits for ever.
    const QDeadlineTimer deadline(timeouts_.handOverMs);
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

    socket.write(requestFor(filePath));
    if (!socket.waitForBytesWritten(remainingMs(deadline)))
        return false;
    QByteArray reply;
    while (reply.size() < answerLength) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(remainingMs(deadline)))
            break;
        reply += socket.read(answerLength - reply.size());
    }
    socket.abort();
    return reply == QByteArray(answer, answerLength);
}

} // namespace tonolog
