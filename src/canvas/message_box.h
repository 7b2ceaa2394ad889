#pragma once

#include <QString>

#include <cstdint>

namespace tonolog {

class MessageBoxService;

// The codes of the program's one message box.
namespace box {
// Button sets; any other code shows OK.
inline constexpr int ok = 0;
inline constexpr int okCancel = 1;
inline constexpr int abortRetryIgnore = 2;
inline constexpr int yesNoCancel = 3;
inline constexpr int yesNo = 4;
inline constexpr int retryCancel = 5;
// Icons; any other code shows none.
inline constexpr int stop = 0;
inline constexpr int question = 1;
inline constexpr int exclamation = 2;
inline constexpr int information = 3;
inline constexpr int noIcon = 4;
// What the pressed button returns.
inline constexpr std::int16_t pressedOk = 1;
inline constexpr std::int16_t pressedCancel = 2;
inline constexpr std::int16_t pressedAbort = 3;
inline constexpr std::int16_t pressedRetry = 4;
inline constexpr std::int16_t pressedIgnore = 5;
inline constexpr std::int16_t pressedYes = 6;
inline constexpr std::int16_t pressedNo = 7;
} // namespace box

// The program's one message box, titled "Tonolog", with a button set and an icon from the codes
// above; returns the pressed button's code.
std::int16_t showMessage(MessageBoxService& service, const QString& text, int buttons, int icon);

} // namespace tonolog
