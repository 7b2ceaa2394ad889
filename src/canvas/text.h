// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace tonolog {

// Text and paths between the window (QString) and the document core (UTF-8 std::string).
inline std::string toStd(const QString& text) {
    return text.toStdString();
}
inline QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace tonolog
