// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tonolog {

bool isValidUtf8(std::string_view bytes);

// Windows-1252 (the old Western code page) to UTF-8. The five bytes that code page leaves
// undefined map to the control characters of the same number, as Windows does.
std::string windows1252ToUtf8(std::string_view bytes);

// Text where each line (ended by a LF) that is valid UTF-8 stays as it is and any other line is
// read as Windows-1252: one old line in a diary since kept in UTF-8 spoils no other line.
std::string linesToUtf8(std::string_view bytes);

// The Unicode forms of two and four bytes a character, which a file names by its byte-order mark
// (a Windows editor's "Unicode" is UTF-16, little-endian).
enum class WideForm { none, utf16LittleEndian, utf16BigEndian, utf32LittleEndian, utf32BigEndian };

struct WideMark {
    WideForm form = WideForm::none;
    std::size_t length = 0;
};
// The wide form the byte-order mark at the start of the bytes names; none without one.
WideMark wideByteOrderMark(std::string_view bytes);

// Text of a wide form (after its mark) as UTF-8. What is no character (a lone surrogate, a value
// beyond Unicode, a last unit cut short) becomes U+FFFD, so that nothing else is lost.
std::string wideToUtf8(std::string_view bytes, WideForm form);

} // namespace tonolog
