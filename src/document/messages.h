// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "words.h"

// The texts the program shows, in one place so that the code and the tests use the same words;
// marked for translation (the window shows them through `translated`).
namespace tonolog::text {

inline constexpr const char* programTitle = "Tonolog";
inline constexpr const char* cannotOpen = QT_TRANSLATE_NOOP("Tonolog", "Data file cannot be opened.");
inline constexpr const char* cannotSave = QT_TRANSLATE_NOOP("Tonolog", "Data file cannot be saved.");
inline constexpr const char* notText = QT_TRANSLATE_NOOP("Tonolog", "It is not a text file.");
inline constexpr const char* tooManyDays = QT_TRANSLATE_NOOP(
    "Tonolog",
    "This diary holds more than 32767 days; only the first 32767 were read.\n"
    "It is opened untitled, so that the file itself is never overwritten with the shortened diary.");

} // namespace tonolog::text
