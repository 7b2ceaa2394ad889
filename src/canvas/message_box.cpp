// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/message_box.h"

#include "document/messages.h"

namespace tonolog {

MessageResult showMessage(MessageBoxService& service, const QString& text, MessageButtons buttons,
                          MessageIcon icon) {
    MessageRequest request;
    request.title = QString::fromUtf8(text::programTitle);
    request.text = text;
    request.buttons = buttons;
    request.icon = icon;
    return service.ask(request);
}

} // namespace tonolog
