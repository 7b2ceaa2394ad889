// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/message_box_service.h"

#include <deque>
#include <functional>
#include <vector>

namespace tonolog {

// A message box that answers from a queue and remembers every question, so a test can assert
// the exact text, buttons and icon. With nothing queued it presses the first button of the set.
class ScriptedMessageBox : public MessageBoxService {
public:
    void queueAnswer(MessageResult result) { answers_.push_back(result); }
    MessageResult ask(const MessageRequest& request) override;

    // Runs as each question is asked, before it is answered.
    std::function<void(const MessageRequest&)> whenAsked;
    const std::vector<MessageRequest>& asked() const { return asked_; }
    const MessageRequest& last() const { return asked_.back(); }
    int count() const { return static_cast<int>(asked_.size()); }
    void forget() { asked_.clear(); }
    int pendingAnswers() const { return static_cast<int>(answers_.size()); }

private:
    std::deque<MessageResult> answers_;
    std::vector<MessageRequest> asked_;
};

} // namespace tonolog
