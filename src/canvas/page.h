// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tonolog {

// What the main window asks of every page. The window runs the fixed redraw order through it:
// every page's background first, then every page's content.
class Page {
public:
    virtual ~Page() = default;

    // The parts of the page that do not depend on the diary (zones, grid, scales).
    virtual void drawBackground() = 0;
    // The diary's data on the page.
    virtual void drawContent() = 0;
    // Forgets the page's own state, as a new or freshly loaded diary starts.
    virtual void reset() = 0;
    // A press on one of the page's held buttons can no longer be released (a modal box took
    // the mouse): the hold ends without a further step.
    virtual void abandonHold() = 0;
};

} // namespace tonolog
