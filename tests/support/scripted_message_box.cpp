// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripted_message_box.h"

namespace tonolog {

MessageResult ScriptedMessageBox::ask(const MessageRequest& request) {
    asked_.push_back(request);
    if (whenAsked)
        whenAsked(request);
    if (!answers_.empty()) {
        const MessageResult answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (request.buttons) {
    case MessageButtons::AbortRetryIgnore:
        return MessageResult::Abort;
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNo:
        return MessageResult::Yes;
    case MessageButtons::RetryCancel:
        return MessageResult::Retry;
    default:
        return MessageResult::Ok;
    }
}

} // namespace tonolog
