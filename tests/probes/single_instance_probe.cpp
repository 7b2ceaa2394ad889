// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A small program around SingleInstance, started several times over by the single-instance tests.
//
//   single_instance_probe NAME SECONDS [PATH]
//       The lock in TONOLOG_PROBE_LOCK_DIR, if set; shorter timeouts (ms) from
//       TONOLOG_PROBE_HAND_OVER_MS and TONOLOG_PROBE_UNFINISHED_LOCK_MS.
//       Takes part in the check under NAME. The primary prints "primary", then "activated" for each
//       request it receives (and "open PATH" for one with a path), and ends after SECONDS. A later
//       start prints "not primary", asks the primary to activate (and to open PATH) and prints
//       "secondary delivered" (exit code 0), "secondary in another session" or "secondary failed"
//       (exit code 1).
//   single_instance_probe --connect PATH
//       Tries to connect to the local socket at PATH and prints "connected" or "not connected" with
//       the reason.
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTimer>

#include <cstdio>

namespace {

void say(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

int usage() {
    std::fputs("usage: single_instance_probe NAME SECONDS [PATH] | --connect PATH\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 && !(args.size() == 4 && args[1] != QLatin1String("--connect")))
        return usage();

    if (args[1] == QLatin1String("--connect")) {
        QLocalSocket socket;
        socket.connectToServer(args[2]);
        if (socket.waitForConnected(2000)) {
            say(QStringLiteral("connected"));
            return 0;
        }
        say(QStringLiteral("not connected %1 %2").arg(socket.error()).arg(socket.errorString()));
        return 1;
    }

    bool ok = false;
    const int seconds = args[2].toInt(&ok);
    if (!ok || seconds <= 0)
        return usage();

    tonolog::SingleInstance instance(args[1], qEnvironmentVariable("TONOLOG_PROBE_LOCK_DIR"));
    // The tests wait less than a person would.
    tonolog::SingleInstance::Timeouts timeouts;
    const auto setFrom = [](const char* variable, int& ms) {
        bool given = false;
        const int value = qEnvironmentVariableIntValue(variable, &given);
        if (given)
            ms = value;
    };
    setFrom("TONOLOG_PROBE_HAND_OVER_MS", timeouts.handOverMs);
    setFrom("TONOLOG_PROBE_UNFINISHED_LOCK_MS", timeouts.unfinishedLockMs);
    instance.setTimeouts(timeouts);
    const auto outcome = instance.start(args.value(3));
    if (outcome == tonolog::SingleInstance::StartOutcome::primary) {
        QObject::connect(&instance, &tonolog::SingleInstance::activationRequested,
                         [] { say(QStringLiteral("activated")); });
        QObject::connect(&instance, &tonolog::SingleInstance::openRequested,
                         [](const QString& path) { say(QStringLiteral("open ") + path); });
        say(instance.isListening() ? QStringLiteral("primary") : QStringLiteral("primary not listening"));
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
        return QCoreApplication::exec();
    }
    say(QStringLiteral("not primary"));
    const bool delivered = outcome == tonolog::SingleInstance::StartOutcome::handedOver;
    if (outcome == tonolog::SingleInstance::StartOutcome::otherSession)
        say(QStringLiteral("secondary in another session"));
    else
        say(delivered ? QStringLiteral("secondary delivered") : QStringLiteral("secondary failed"));
    return delivered ? 0 : 1;
}
