// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tonolog {

// Tells when the system asks the program to end without its window being closed: SIGTERM (a kill,
// a shutdown), SIGHUP (the terminal or the session went away) and SIGINT (Ctrl+C in a terminal).
// The signal is turned into an event of the window's thread, where the program can end properly.
// (The session manager's logout reaches the program as QGuiApplication::commitDataRequest.)
class EndRequests : public QObject {
    Q_OBJECT
public:
    explicit EndRequests(QObject* parent = nullptr);
    ~EndRequests() override;

Q_SIGNALS:
    void endRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tonolog
