// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/end_requests.h"

#include <QSocketNotifier>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace tonolog {

#if defined(Q_OS_UNIX)

namespace {

// A signal handler may do next to nothing: it writes one byte, which the window's event loop reads.
int signalPipe[2] = {-1, -1};

constexpr int endSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void onEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
    errno = saved;
}

} // namespace

EndRequests::EndRequests(QObject* parent) : QObject(parent) {
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    ::fcntl(signalPipe[0], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::recv(signalPipe[1], bytes, sizeof bytes, MSG_DONTWAIT) > 0) {
        }
        Q_EMIT endRequested();
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : endSignals) {
        // A signal the program was started to ignore (nohup, a background job) stays ignored.
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

EndRequests::~EndRequests() {
    if (notifier_ == nullptr)
        return;
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    for (const int signal : endSignals) {
        struct sigaction now {};
        if (::sigaction(signal, nullptr, &now) == 0 && now.sa_handler == onEndSignal)
            ::sigaction(signal, &standard, nullptr);
    }
}

#else

// Elsewhere the system's request to end (a logout or a shutdown) comes as the session manager's.
EndRequests::EndRequests(QObject* parent) : QObject(parent) {}
EndRequests::~EndRequests() = default;

#endif

} // namespace tonolog
