// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tonolog {

class TabStrip;

// Presents the tab strip to screen readers as a page tab list with one page tab for each page,
// the one in front selected, and each tab pressable. Safe to call any number of times.
void installAccessibleTabs();

// Tells screen readers that the page in front changed from `before` to `now`.
void announceFrontTab(TabStrip* strip, int before, int now);

} // namespace tonolog
