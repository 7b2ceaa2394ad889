// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tonolog {

// Tells Qt's accessibility how to present the program's own controls to a screen reader: an
// image button as a button that can be pressed (a logo as a picture), a canvas as a picture.
// Their names and descriptions are the widgets' accessible name and description. Safe to call
// any number of times.
void installAccessibleControls();

} // namespace tonolog
