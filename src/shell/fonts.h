// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tonolog {

// The window asks for Tahoma and Arial; where they are missing, metric-similar free fonts stand
// in, and a Japanese font shows the program's Japanese texts.
void installFontSubstitutes();

} // namespace tonolog
