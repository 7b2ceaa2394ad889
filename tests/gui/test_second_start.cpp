// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Starts the real program twice with a private home: a second start without a file only wakes the
// first. (With a file, tests/e2e/open_in_running_test.sh.)
class SecondStartTest : public QObject {
    Q_OBJECT

    QProcessEnvironment environment(const QTemporaryDir& home) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

private Q_SLOTS:
    void secondStartEndsAndTouchesNothing() {
        const QString program = qEnvironmentVariable("TONOLOG_EXECUTABLE");
        QVERIFY2(QFileInfo::exists(program), "TONOLOG_EXECUTABLE does not name the program");
        QTemporaryDir home;
        QDir(home.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString backup = home.filePath(QStringLiteral("data/Tonolog/Tonolog/TL_Backup"));
        const QString settings = home.filePath(QStringLiteral("config/Tonolog/Tonolog.conf"));

        QProcess first;
        first.setProcessEnvironment(environment(home));
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(backup), 20000);
        const QDateTime written = QFileInfo(backup).lastModified();

        QProcess second;
        second.setProcessEnvironment(environment(home));
        second.start(program, {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(QFileInfo(backup).lastModified(), written);
        QVERIFY(!QFileInfo::exists(settings));

        first.kill();
        first.waitForFinished(5000);
    }

    // The same user in a second session (another runtime directory, the same data folder, as over
    // ssh): told so, and neither the backup of the running program nor its lock is touched.
    void aStartInAnotherSessionTouchesNothing() {
        const QString program = qEnvironmentVariable("TONOLOG_EXECUTABLE");
        QTemporaryDir home;
        for (const char* runtime : {"runtime", "runtime-2"}) {
            QDir(home.path()).mkpath(QLatin1String(runtime));
            QFile::setPermissions(home.filePath(QLatin1String(runtime)),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const QString data = home.filePath(QStringLiteral("data/Tonolog/Tonolog/"));
        QProcess first;
        first.setProcessEnvironment(environment(home));
        first.start(program, {});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(data + QStringLiteral("TL_Backup")), 20000);
        const QDateTime backupWritten = QFileInfo(data + QStringLiteral("TL_Backup")).lastModified();
        const QDateTime lockWritten = QFileInfo(data + QStringLiteral("tonolog.lock")).lastModified();
        QVERIFY(lockWritten.isValid());

        QProcess second; // a QProcess ends its process when it goes
        QProcessEnvironment otherSession = environment(home);
        otherSession.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime-2")));
        second.setProcessEnvironment(otherSession);
        second.start(program, {});
        // It says so on its error output and in a message box, which waits here for ever.
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT(
            (said += second.readAllStandardError()).contains("running in another session"), 20000);
        QCOMPARE(QFileInfo(data + QStringLiteral("TL_Backup")).lastModified(), backupWritten);
        QCOMPARE(QFileInfo(data + QStringLiteral("tonolog.lock")).lastModified(), lockWritten);
        QCOMPARE(first.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(SecondStartTest)
#include "test_second_start.moc"
