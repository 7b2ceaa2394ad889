// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "words.h"

namespace tonolog {

namespace {

TextTranslator installed = nullptr;

} // namespace

void setTextTranslator(TextTranslator translator) {
    installed = translator;
}

std::string translated(const char* text) {
    return installed != nullptr ? installed(text) : std::string(text);
}

std::string translatedWith(const char* text, std::initializer_list<std::string_view> arguments) {
    std::string out = translated(text);
    int number = 1;
    for (const std::string_view argument : arguments) {
        const std::string marker = "%" + std::to_string(number++);
        if (const auto at = out.find(marker); at != std::string::npos)
            out.replace(at, marker.size(), argument);
    }
    return out;
}

} // namespace tonolog
