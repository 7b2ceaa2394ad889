#pragma once

#include <QString>

#include <cstdint>

namespace tonolog {

class MessageBoxService;

// The program's one message box, titled "Tonolog". Button codes: 0 OK, 1 OK/Cancel,
// 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel, any other OK. Icon codes:
// 0 stop, 1 question, 2 exclamation, 3 information, any other none. Returns 1 OK, 2 Cancel,
// 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
std::int16_t showMessage(MessageBoxService& service, const QString& text, int buttons, int icon);

} // namespace tonolog
