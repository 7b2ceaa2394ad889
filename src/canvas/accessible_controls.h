// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tonolog {

// Tells Qt's accessibility how to present the program's own controls to a screen reader: an
// image button as a button that can be pressed (a logo as a picture), a canvas as a picture.
// Their names and descriptions are the widgets' accessible name and description. Safe to call
// any number of times.
void installAccessibleControls();

// Menus and their items are heard by their captions without the bracketed access key: "New" for
// "New(&N)", "Save as..." for "Save as...(&A)". Safe to call any number of times.
void installAccessibleMenus();
// A caption as its accessible name: without "(&N)" and without the "&" of an access key.
QString accessibleMenuText(const QString& caption);

} // namespace tonolog
