// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace tonolog {

// Keeps the program to one running instance per user. The first start takes a lock file in the
// folder of the user's data (the backup's folder, which every session of the user shares, also
// over ssh or on another computer with the same home folder), notes beside it which session it
// runs in, and listens on a local socket in the session's runtime directory; a later start finds
// the lock taken and, when the first one runs in its own session, asks it through the socket to
// come to the front (and to open the file it was started with, if any), and ends. A start in
// another session of the user can reach no socket: it is told so, and touches nothing.
//
// A request is one message: the four bytes "TNL1", the length of the path in bytes (a 32-bit
// number, most significant byte first; 0 without a file) and the absolute path in UTF-8. The
// primary answers "ok\n" once it has taken the request. It hangs up without an answer on anything
// else: another beginning, a path that is too long, not UTF-8, not absolute or holds a zero byte,
// or bytes after the message. A connection that does not complete its message in time is dropped.
//
// The lock decides, not the socket: a socket file can be left over by a killed instance, while the
// lock of a process that no longer runs counts as stale and is taken over. Only the lock holder
// removes and creates the socket. The runtime directory is private to the user (mode 0700) and the
// socket is created for the user only, so no other user can reach it.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // How long a later start tries to hand its request over, and how long the primary waits for a
    // connection to complete its request before dropping it.
    // And how long a lock that names no owner may be one that another start is still writing.
    struct Timeouts {
        int handOverMs = 3000;
        int idleConnectionMs = 5000;
        int unfinishedLockMs = 2000;
    };

    // The name is a plain file name; the lock and the socket are named after it. The lock lives in
    // lockDir, or without one in the runtime directory beside the socket.
    explicit SingleInstance(const QString& name = QStringLiteral("tonolog"),
                            const QString& lockDir = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the instance to run: it now holds the lock and listens for
    // activation requests. False only when another running instance holds the lock. Without a usable
    // runtime directory nothing can be shared, and every start runs on its own (true).
    bool tryBecomePrimary();

    // For a start that is not the primary: asks the primary to come to the front and, with a
    // file path (absolute), to open that file. Retries the connection for a while, since the
    // primary may hold the lock but not listen yet. Returns whether the primary received the
    // request (it answers once it has).
    bool notifyPrimary(const QString& filePath = QString());

    // The whole decision of a start: primary (this process runs), handedOver (the running instance
    // of this session took the request: end), otherSession (it runs in another session of the user,
    // which nothing here can reach: end, touching nothing) or noAnswer (it holds the lock but does
    // not answer). A lock is judged again after a hand-over that failed: its holder may have ended
    // meanwhile, or it was one that another start had only begun to write.
    enum class StartOutcome { primary, handedOver, otherSession, noAnswer };
    StartOutcome start(const QString& filePath = QString());
    void setTimeouts(const Timeouts& timeouts) { timeouts_ = timeouts; }

    // For a start that is not the primary: whether the running instance is in another session of
    // this user (another runtime directory or another computer), which no hand-over can reach.
    bool primaryRunsInAnotherSession() const;

    bool isPrimary() const { return primary_; }
    // Stops listening and gives up the lock, as the end of the program does.
    void release();
    bool isListening() const;
    // The full paths of the lock file and the socket; empty without a runtime directory.
    QString lockPath() const;
    QString serverPath() const;
    // Beside the lock: the session of the instance that holds it.
    QString sessionPath() const;

Q_SIGNALS:
    // A later start asked this primary instance to bring its window to the front.
    void activationRequested();
    // A later start with a file asked this primary instance to open it; activationRequested
    // comes first.
    void openRequested(const QString& filePath);

private:
    void acceptConnections();
    void readRequest(QLocalSocket* socket);

    QString name_;
    QString runtimeDir_;
    QString lockDir_;
    Timeouts timeouts_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool primary_ = false;
};

} // namespace tonolog
