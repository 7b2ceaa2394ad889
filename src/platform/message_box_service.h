#pragma once

#include <QString>

namespace tonolog {

// The button sets and icons a message box can show.
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageIcon { None, Stop, Question, Exclamation, Information };

// The buttons' numbers, as every caller of a message box reads them.
enum MessageResult : int {
    ResultOk = 1,
    ResultCancel = 2,
    ResultAbort = 3,
    ResultRetry = 4,
    ResultIgnore = 5,
    ResultYes = 6,
    ResultNo = 7
};

struct MessageRequest {
    QString title;
    QString text; // line breaks as CR LF
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

// A modal message box; returns the pressed button's number.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual int ask(const MessageRequest& request) = 0;
};

// The real thing: a QMessageBox over the active window.
class QtMessageBoxService : public MessageBoxService {
public:
    int ask(const MessageRequest& request) override;
};

} // namespace tonolog
