// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/message_box_service.h"

#include <QString>

namespace tonolog {

// The program's one message box, titled "Tonolog", with a button set and an icon; returns the
// pressed button. Line breaks in the text are "\n".
MessageResult showMessage(MessageBoxService& service, const QString& text, MessageButtons buttons,
                          MessageIcon icon);

} // namespace tonolog
