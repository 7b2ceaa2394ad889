// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Texts the user sees are marked where they are written, QT_TRANSLATE_NOOP("Tonolog", "..."), so
// that the translation tools find them; the core itself uses no Qt, so the mark is defined here
// where Qt's own is not.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tonolog {

// How a marked text becomes the user's language: the window installs its translation here; until
// then every text is as it is written.
using TextTranslator = std::string (*)(const char* text);
void setTextTranslator(TextTranslator translator);

// The marked text in the user's language.
std::string translated(const char* text);

// A translated text with "%1", "%2", ... replaced by the arguments, in their order.
std::string translatedWith(const char* text, std::initializer_list<std::string_view> arguments);

} // namespace tonolog
