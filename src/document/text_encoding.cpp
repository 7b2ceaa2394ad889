// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tonolog {

bool isValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Plain ASCII, eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if ((word & 0x8080808080808080ull) != 0)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07u;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0u) != 0x80u)
                return false;
            code = (code << 6) | (p[i + k] & 0x3Fu);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

namespace {

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

constexpr std::uint32_t replacementCharacter = 0xFFFD;

} // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
    // 0x80..0x9F; the rest of the upper half equals Latin-1.
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
            continue;
        }
        appendUtf8(out, c < 0xA0 ? high[c - 0x80u] : c);
    }
    return out;
}

std::string linesToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto newline = bytes.find('\n', start);
        const std::size_t end = newline == std::string_view::npos ? bytes.size() : newline + 1;
        const std::string_view line = bytes.substr(start, end - start);
        if (isValidUtf8(line))
            out.append(line);
        else
            out += windows1252ToUtf8(line);
        start = end;
    }
    return out;
}

WideMark wideByteOrderMark(std::string_view bytes) {
    const auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    using namespace std::string_view_literals;
    // The four-byte marks first: UTF-32's little-endian mark begins with UTF-16's.
    if (starts("\xFF\xFE\0\0"sv))
        return {WideForm::utf32LittleEndian, 4};
    if (starts("\0\0\xFE\xFF"sv))
        return {WideForm::utf32BigEndian, 4};
    if (starts("\xFF\xFE"sv))
        return {WideForm::utf16LittleEndian, 2};
    if (starts("\xFE\xFF"sv))
        return {WideForm::utf16BigEndian, 2};
    return {};
}

std::string wideToUtf8(std::string_view bytes, WideForm form) {
    const bool wide32 = form == WideForm::utf32LittleEndian || form == WideForm::utf32BigEndian;
    const bool bigEndian = form == WideForm::utf16BigEndian || form == WideForm::utf32BigEndian;
    const std::size_t unit = wide32 ? 4 : 2;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto unitAt = [&](std::size_t i) {
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < unit; ++k)
            value |= static_cast<std::uint32_t>(p[i + (bigEndian ? unit - 1 - k : k)]) << (8 * k);
        return value;
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + unit <= bytes.size(); i += unit) {
        std::uint32_t code = unitAt(i);
        if (wide32) {
            if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                code = replacementCharacter;
        } else if (code >= 0xD800 && code <= 0xDBFF && i + 2 * unit <= bytes.size() &&
                   unitAt(i + unit) >= 0xDC00 && unitAt(i + unit) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unitAt(i + unit) - 0xDC00);
            i += unit;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = replacementCharacter;
        }
        appendUtf8(out, code);
    }
    if (i < bytes.size())
        appendUtf8(out, replacementCharacter);
    return out;
}

} // namespace tonolog
