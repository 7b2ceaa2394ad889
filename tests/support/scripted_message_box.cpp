#include "support/scripted_message_box.h"

namespace tonolog {

int ScriptedMessageBox::ask(const MessageRequest& request) {
    asked_.push_back(request);
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (request.buttons) {
    case MessageButtons::AbortRetryIgnore:
        return ResultAbort;
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNo:
        return ResultYes;
    case MessageButtons::RetryCancel:
        return ResultRetry;
    default:
        return ResultOk;
    }
}

} // namespace tonolog
