// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tonolog {

// The button sets and icons a message box can show.
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageIcon { None, Stop, Question, Exclamation, Information };

// The button that was pressed, by the numbers the program's messages have always had.
enum class MessageResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageRequest {
    QString title;
    QString text; // line breaks as "\n"
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

// A modal message box; returns the pressed button.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageResult ask(const MessageRequest& request) = 0;
};

// The real thing: a QMessageBox over the active window.
class QtMessageBoxService : public MessageBoxService {
public:
    MessageResult ask(const MessageRequest& request) override;
};

} // namespace tonolog
