// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace tonolog;

namespace {

constexpr int nobodyId = 65534;

// What a later start prints.
const QStringList deliveredLines{QStringLiteral("not primary"), QStringLiteral("secondary delivered")};
const QStringList failedLines{QStringLiteral("not primary"), QStringLiteral("secondary failed")};

// What the tests that wait a timeout out wait, instead of the seconds a person is given.
constexpr int shortWaitMs = 300;

QProcessEnvironment shortWaits() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TONOLOG_PROBE_HAND_OVER_MS"), QString::number(shortWaitMs));
    environment.insert(QStringLiteral("TONOLOG_PROBE_UNFINISHED_LOCK_MS"), QString::number(shortWaitMs));
    return environment;
}

QString probePath() {
    const QString fromEnvironment = qEnvironmentVariable("TONOLOG_SINGLE_INSTANCE_PROBE");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
#ifdef TONOLOG_SINGLE_INSTANCE_PROBE
    return QStringLiteral(TONOLOG_SINGLE_INSTANCE_PROBE);
#else
    return QString();
#endif
}

// A started probe and everything it has printed so far.
class Probe {
public:
    explicit Probe(const QStringList& arguments, const QProcessEnvironment& environment = {},
                   bool asNobody = false) {
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        QStringList args = arguments;
        QString program = probePath();
        if (asNobody) {
            args.prepend(program);
            args = QStringList{QStringLiteral("--reuid=%1").arg(nobodyId),
                               QStringLiteral("--regid=%1").arg(nobodyId), QStringLiteral("--clear-groups")} +
                   args;
            program = QStringLiteral("setpriv");
        }
        if (!environment.isEmpty())
            process_.setProcessEnvironment(environment);
        process_.start(program, args);
    }
    ~Probe() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    QProcess& process() { return process_; }

    QStringList lines() {
        output_ += process_.readAllStandardOutput();
        return QString::fromUtf8(output_).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    int count(const QString& line) { return static_cast<int>(lines().count(line)); }

    // Waits until the probe has printed the line `times` times.
    bool waitFor(const QString& line, int times = 1, int timeoutMs = 10000) {
        QDeadlineTimer deadline(timeoutMs);
        while (count(line) < times) {
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
                return count(line) >= times;
            process_.waitForReadyRead(50);
        }
        return true;
    }

    // Waits for the probe to end and returns its exit code; -1 if it did not end or crashed.
    int finish(int timeoutMs = 10000) {
        // waitForFinished() is false for a process that has already ended.
        if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(timeoutMs))
            return -1;
        if (process_.exitStatus() != QProcess::NormalExit)
            return -1;
        return process_.exitCode();
    }

    QString describe() {
        return QStringLiteral("stdout: [%1] stderr: [%2]")
            .arg(lines().join(QLatin1String(" | ")), QString::fromUtf8(process_.readAllStandardError()));
    }

private:
    QProcess process_;
    QByteArray output_;
};

// The request's length field: four bytes, the most significant first.
QByteArray lengthBytes(quint32 length) {
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>((length >> shift) & 0xFF));
    return bytes;
}

QByteArray request(const QByteArray& path) {
    return QByteArray("TNL1") + lengthBytes(static_cast<quint32>(path.size())) + path;
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 0777;
}

} // namespace

// SingleInstance across real processes: each probe is a separate start of a small program around it.
class SingleInstanceTest : public QObject {
    Q_OBJECT

    int serial_ = 0;
    QStringList names_;

    // A name of its own for each test, so that no test meets another's lock or a real Tonolog.
    QString freshName() {
        const QString name =
            QStringLiteral("tonolog-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial_);
        names_ << name;
        return name;
    }

    static QStringList probeArgs(const QString& name, int seconds = 30) {
        return {name, QString::number(seconds)};
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(!probePath().isEmpty(), "the path of single_instance_probe is not configured");
        QVERIFY2(QFileInfo(probePath()).isExecutable(), qPrintable(probePath()));
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QVERIFY2(!runtime.isEmpty(), "no runtime directory");
    }

    void cleanupTestCase() {
        // Killed probes leave their lock and socket behind.
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        for (const QString& name : std::as_const(names_)) {
            QFile::remove(runtime + QLatin1Char('/') + name + QLatin1String(".lock"));
            QFile::remove(runtime + QLatin1Char('/') + name + QLatin1String(".socket"));
        }
    }

    void secondStartActivatesTheFirst() {
        const QString name = freshName();
        Probe primary(probeArgs(name));
        QVERIFY2(primary.waitFor(QStringLiteral("primary")), qPrintable(primary.describe()));

        Probe secondary(probeArgs(name));
        QCOMPARE(secondary.finish(), 0);
        QCOMPARE(secondary.lines(), deliveredLines);
        QVERIFY2(primary.waitFor(QStringLiteral("activated")), qPrintable(primary.describe()));

        // Each later start brings it to the front again.
        Probe third(probeArgs(name));
        QCOMPARE(third.finish(), 0);
        QVERIFY2(primary.waitFor(QStringLiteral("activated"), 2), qPrintable(primary.describe()));
        QCOMPARE(primary.process().state(), QProcess::Running);
    }

    void lockAndSocketArePrivate() {
        const QString name = freshName();
        Probe primary(probeArgs(name));
        QVERIFY2(primary.waitFor(QStringLiteral("primary")), qPrintable(primary.describe()));

        const SingleInstance paths(name);
        QVERIFY(QFileInfo::exists(paths.lockPath()));
        QCOMPARE(QFileInfo(paths.serverPath()).absolutePath(), QFileInfo(paths.lockPath()).absolutePath());
        QCOMPARE(modeOf(QFileInfo(paths.serverPath()).absolutePath()), mode_t(0700));
        const mode_t socketMode = modeOf(paths.serverPath());
        QVERIFY2(socketMode != 0, "no socket file");
        QCOMPARE(socketMode & 077, mode_t(0));
    }

    // A lock file that names no owner, or an owner that does not run, is taken over.
    void aLockWithoutARunningOwnerIsTakenOver_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbled") << QByteArray("\x01\x02 not a lock\n");
        QTest::newRow("owner gone") << QByteArray("999999\ntonolog\n") +
                                           QSysInfo::machineHostName().toUtf8() + "\n";
    }

    void aLockWithoutARunningOwnerIsTakenOver() {
        QFETCH(QByteArray, content);
        const QString name = freshName();
        SingleInstance instance(name);
        QFile stray(instance.lockPath());
        QVERIFY(stray.open(QIODevice::WriteOnly));
        stray.write(content);
        stray.close();
        // Old enough not to be a lock that another start is writing at this moment.
        QVERIFY(stray.open(QIODevice::ReadWrite));
        QVERIFY(
            stray.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        stray.close();
        QVERIFY(instance.tryBecomePrimary());
        QVERIFY(instance.isListening());
    }

    // A lock without an owner that another start has only just made (and then never finished), or
    // one dated in the future (the clock set back since), does not keep the program from starting.
    void anEmptyLockJustMadeOrFromTheFutureIsJudgedAgain_data() {
        QTest::addColumn<int>("ageSeconds");
        QTest::newRow("just made") << 0;
        QTest::newRow("in the future") << -3600;
    }

    void anEmptyLockJustMadeOrFromTheFutureIsJudgedAgain() {
        QFETCH(int, ageSeconds);
        const QString name = freshName();
        const SingleInstance paths(name);
        QFile stray(paths.lockPath());
        QVERIFY(stray.open(QIODevice::WriteOnly));
        QVERIFY(stray.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                  QFileDevice::FileModificationTime));
        stray.close();
        Probe probe(probeArgs(name, 2), shortWaits());
        QVERIFY2(probe.waitFor(QStringLiteral("primary")), qPrintable(probe.describe()));
    }

    void killedPrimaryDoesNotBlockTheNextStart() {
        const QString name = freshName();
        const SingleInstance paths(name);
        {
            Probe first(probeArgs(name));
            QVERIFY2(first.waitFor(QStringLiteral("primary")), qPrintable(first.describe()));
            first.process().kill(); // SIGKILL: no clean-up of any kind
            QVERIFY(first.process().waitForFinished(5000));
        }
        // What the killed instance left behind.
        QVERIFY(QFileInfo::exists(paths.lockPath()));
        QVERIFY(QFileInfo::exists(paths.serverPath()));

        Probe next(probeArgs(name));
        QVERIFY2(next.waitFor(QStringLiteral("primary")), qPrintable(next.describe()));
        Probe secondary(probeArgs(name));
        QCOMPARE(secondary.finish(), 0);
        QCOMPARE(secondary.lines(), deliveredLines);
        QVERIFY2(next.waitFor(QStringLiteral("activated")), qPrintable(next.describe()));
    }

    void tenSimultaneousStartsGiveOnePrimary_data() {
        QTest::addColumn<int>("round");
        for (int round = 1; round <= 3; ++round)
            QTest::addRow("round %d", round) << round;
    }

    void tenSimultaneousStartsGiveOnePrimary() {
        const QString name = freshName();
        std::vector<std::unique_ptr<Probe>> probes;
        for (int i = 0; i < 10; ++i)
            probes.push_back(std::make_unique<Probe>(probeArgs(name)));

        // Nine end at once; the primary runs on.
        QDeadlineTimer deadline(20000);
        auto ended = [&probes] {
            return std::count_if(probes.begin(), probes.end(), [](const std::unique_ptr<Probe>& probe) {
                return probe->process().state() == QProcess::NotRunning;
            });
        };
        while (ended() < 9 && !deadline.hasExpired()) {
            for (auto& probe : probes)
                probe->process().waitForFinished(10);
        }
        QTest::qWait(200); // time for a second primary, if there were one, to show itself
        Probe* primary = nullptr;
        int delivered = 0;
        for (auto& probe : probes) {
            if (probe->process().state() != QProcess::NotRunning) {
                QVERIFY2(primary == nullptr, "two probes are still running after the others ended");
                primary = probe.get();
            } else if (probe->finish() == 0 && probe->lines() == deliveredLines) {
                ++delivered;
            } else {
                qWarning("%s", qPrintable(probe->describe()));
            }
        }
        QVERIFY(primary != nullptr);
        QCOMPARE(primary->lines().value(0), QStringLiteral("primary"));
        QCOMPARE(delivered, 9);
        QVERIFY2(primary->waitFor(QStringLiteral("activated"), 9), qPrintable(primary->describe()));
        QCOMPARE(primary->count(QStringLiteral("primary")), 1);
    }

    void primaryInThisProcessIsAskedToActivate() {
        const QString name = freshName();
        SingleInstance instance(name);
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        QVERIFY(instance.tryBecomePrimary());
        QVERIFY(instance.isPrimary());
        QVERIFY(instance.isListening());
        QVERIFY(instance.tryBecomePrimary()); // asking again changes nothing

        // The lock is held in this process too.
        SingleInstance other(name);
        QVERIFY(!other.tryBecomePrimary());
        QVERIFY(!other.isPrimary());

        Probe secondary(probeArgs(name));
        QTRY_COMPARE_WITH_TIMEOUT(activations.count(), 1, 10000);
        QCOMPARE(secondary.finish(), 0);
        QCOMPARE(secondary.lines(), deliveredLines);
    }

    // A later start hands its file to the primary across processes, whatever the characters of
    // its path.
    void aLaterStartHandsOverItsFile() {
        const QString name = freshName();
        Probe primary(probeArgs(name));
        QVERIFY2(primary.waitFor(QStringLiteral("primary")), qPrintable(primary.describe()));

        const QString path = QStringLiteral("/tmp/Blood pressure/Jürgen's diary \u65e5\u8a18.tnl");
        Probe secondary(probeArgs(name) << path);
        QCOMPARE(secondary.finish(), 0);
        QCOMPARE(secondary.lines(), deliveredLines);
        QVERIFY2(primary.waitFor(QStringLiteral("open ") + path), qPrintable(primary.describe()));
        QCOMPARE(primary.lines().mid(1),
                 (QStringList{QStringLiteral("activated"), QStringLiteral("open ") + path}));
    }

    // Whatever is not one whole request of ours ends the connection at once, unanswered, and asks
    // nothing of the primary.
    void aMalformedRequestIsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("other text") << QByteArray("open sesame\n");
        QTest::newRow("wrong beginning") << QByteArray("TNL2") + lengthBytes(0);
        QTest::newRow("path too long") << QByteArray("TNL1") + lengthBytes(16385);
        QTest::newRow("length beyond any path") << QByteArray("TNL1") + lengthBytes(0xFFFFFFFFu);
        QTest::newRow("not UTF-8") << request("/tmp/\xff\xfe.tnl");
        QTest::newRow("relative path") << request("diary.tnl");
        QTest::newRow("zero byte") << request(QByteArray("/tmp/a\0b.tnl", 12));
        QTest::newRow("bytes after the request") << request("/tmp/a.tnl") + "TNL1";
    }

    void aMalformedRequestIsRefused() {
        QFETCH(QByteArray, bytes);
        const QString name = freshName();
        SingleInstance instance(name);
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        QSignalSpy opens(&instance, &SingleInstance::openRequested);
        QVERIFY(instance.tryBecomePrimary());

        QLocalSocket socket;
        socket.connectToServer(instance.serverPath());
        QVERIFY(socket.waitForConnected(2000));
        socket.write(bytes);
        QVERIFY(socket.waitForBytesWritten(2000));
        // Well before a silent connection would be dropped.
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 2000);
        QCOMPARE(socket.readAll(), QByteArray());
        QCOMPARE(activations.count(), 0);
        QCOMPARE(opens.count(), 0);
    }

    // A peer that stops in the middle of its request neither holds up the next start nor stays
    // connected for ever.
    void anUnfinishedRequestHoldsUpNothing() {
        const QString name = freshName();
        SingleInstance instance(name);
        instance.setTimeouts({3000, shortWaitMs, 2000});
        QSignalSpy opens(&instance, &SingleInstance::openRequested);
        QVERIFY(instance.tryBecomePrimary());
        QLocalSocket stalled;
        stalled.connectToServer(instance.serverPath());
        QVERIFY(stalled.waitForConnected(2000));
        stalled.write(request("/tmp/a.tnl").left(10));
        QVERIFY(stalled.waitForBytesWritten(2000));

        Probe secondary(probeArgs(name) << QStringLiteral("/tmp/b.tnl"));
        QTRY_COMPARE_WITH_TIMEOUT(opens.count(), 1, 10000);
        QCOMPARE(opens.front().front().toString(), QStringLiteral("/tmp/b.tnl"));
        QCOMPARE(secondary.finish(), 0);
        QCOMPARE(stalled.state(), QLocalSocket::ConnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(stalled.state(), QLocalSocket::UnconnectedState, 10000);
        QCOMPARE(opens.count(), 1);
    }

    void secondStartWaitsForAPrimaryThatIsNotListeningYet() {
        const QString name = freshName();
        SingleInstance instance(name);
        // Another start holds the lock but has not begun to listen.
        auto early = std::make_unique<QLockFile>(instance.lockPath());
        early->setStaleLockTime(0);
        QVERIFY(early->tryLock(0));

        Probe secondary(probeArgs(name));
        QVERIFY(secondary.process().waitForStarted());
        QTest::qWait(300);
        QCOMPARE(secondary.process().state(), QProcess::Running); // still trying

        early.reset();
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        QVERIFY(instance.tryBecomePrimary());
        QTRY_COMPARE_WITH_TIMEOUT(activations.count(), 1, 10000);
        QCOMPARE(secondary.finish(), 0);
        QCOMPARE(secondary.lines(), deliveredLines);
    }

    void secondStartReportsAPrimaryThatNeverAnswers() {
        const QString name = freshName();
        const SingleInstance paths(name);
        QLockFile held(paths.lockPath());
        held.setStaleLockTime(0);
        QVERIFY(held.tryLock(0));

        QElapsedTimer timer;
        timer.start();
        Probe secondary(probeArgs(name), shortWaits());
        QCOMPARE(secondary.finish(), 1);
        QCOMPARE(secondary.lines(), failedLines);
        QVERIFY2(timer.elapsed() >= shortWaitMs, "gave up before its time");
    }

    void anotherUserHasItsOwnInstanceAndCannotReachOurs() {
        if (::geteuid() != 0)
            QSKIP("needs root to start a probe as another user");
        const QString name = freshName();
        Probe primary(probeArgs(name));
        QVERIFY2(primary.waitFor(QStringLiteral("primary")), qPrintable(primary.describe()));
        const SingleInstance ours(name);

        // Our own connection works, so a refusal below is the other user's.
        Probe ownConnect({QStringLiteral("--connect"), ours.serverPath()});
        QCOMPARE(ownConnect.finish(), 0);
        QCOMPARE(ownConnect.lines(), QStringList{QStringLiteral("connected")});

        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString runtime = home.path() + QLatin1String("/runtime");
        QVERIFY(QDir().mkdir(runtime));
        QCOMPARE(::chmod(QFile::encodeName(home.path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(runtime).constData(), 0700), 0);
        QCOMPARE(::chown(QFile::encodeName(runtime).constData(), nobodyId, nobodyId), 0);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(QStringLiteral("HOME"), runtime);

        Probe theirs(probeArgs(name), environment, true);
        QVERIFY2(theirs.waitFor(QStringLiteral("primary")), qPrintable(theirs.describe()));
        Probe theirSecond(probeArgs(name), environment, true);
        QCOMPARE(theirSecond.finish(), 0);
        QVERIFY2(theirs.waitFor(QStringLiteral("activated")), qPrintable(theirs.describe()));
        QCOMPARE(primary.count(QStringLiteral("activated")), 0);

        Probe intruder({QStringLiteral("--connect"), ours.serverPath()}, environment, true);
        QCOMPARE(intruder.finish(), 1);
        QVERIFY2(intruder.lines().value(0).startsWith(QLatin1String("not connected")),
                 qPrintable(intruder.describe()));

        // Even where the directory is open to others, the socket itself is for its user alone.
        QTemporaryDir openRuntime;
        QVERIFY(openRuntime.isValid());
        QProcessEnvironment rootEnvironment = QProcessEnvironment::systemEnvironment();
        rootEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), openRuntime.path());
        // Started with a umask that would leave a new socket open to everyone.
        const mode_t umaskBefore = ::umask(0);
        Probe exposed(probeArgs(name), rootEnvironment);
        const bool started = exposed.process().waitForStarted(5000);
        ::umask(umaskBefore);
        QVERIFY(started);
        QVERIFY2(exposed.waitFor(QStringLiteral("primary")), qPrintable(exposed.describe()));
        QCOMPARE(::chmod(QFile::encodeName(openRuntime.path()).constData(), 0755), 0);
        const QString exposedSocket = openRuntime.path() + QLatin1Char('/') + name + QLatin1String(".socket");
        QVERIFY(QFileInfo::exists(exposedSocket));
        Probe throughOpenDir({QStringLiteral("--connect"), exposedSocket}, environment, true);
        QCOMPARE(throughOpenDir.finish(), 1);
        QVERIFY2(throughOpenDir.lines().value(0).startsWith(QLatin1String("not connected")),
                 qPrintable(throughOpenDir.describe()));
        QCOMPARE(exposed.count(QStringLiteral("activated")), 0);
        QCOMPARE(modeOf(exposedSocket) & 077, mode_t(0));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "test_single_instance.moc"
