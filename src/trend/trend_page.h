// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QObject>
#include <QString>

#include "canvas/page.h"
#include "canvas/press_and_hold.h"
#include "document/dates.h"
#include "trend/trend_controls.h"

#include <cstdint>
#include <optional>

namespace tonolog {

class CanvasSet;
class Clock;
class PressAndHold;
class Document;
struct PagePalette;

// The Trend page: every reading of one window of about a month as a graph, scrolled by half
// months; a double-click opens the day under the pointer. Tab reaches the graph, which then shows
// a day cursor: Left and Right (Home and End) choose the day, Enter or Space opens it; while the
// graph has the focus, its name is the chosen day in words.
class TrendPage : public QObject, public Page {
    Q_OBJECT
public:
    TrendPage(TrendControls& controls, Document& document, const CanvasSet& canvases,
              const PagePalette& palette, const Clock& clock, QObject* parent = nullptr);
    ~TrendPage() override;

    void drawBackground() override { drawTrendBackground(); }
    void drawContent() override { DspTrendTab(); }
    void reset() override;
    void abandonHold() override;

    // The zones, the dotted grid, the axis labels on their lines and the legend.
    void drawTrendBackground();
    // The day labels, the window's dates and the readings; always 0.
    int DspTrendTab();
    // Half a month forward (1) or back (0), unless that leaves the diary's data.
    void shiftTrendWindow(std::int16_t direction);
    // A shift and a redraw, also when the window could not move.
    void stepTrendBack();
    void stepTrendForward();
    // The day whose column holds trendPointerX, as the Diary page should open it.
    void openDayUnderPointer();
    // The day the graph's cursor is on, as Enter opens it; nothing for a window that cannot be drawn.
    std::optional<Date> cursorDay() const;

    // The graph's keys, focus and cursor.
    bool eventFilter(QObject* watched, QEvent* event) override;

    HoldState trendButtonState = HoldState::idle;
    // The press-and-hold timing of Previous data / Next data (state in trendButtonState).
    PressAndHold* trendButtons = nullptr;
    // The pointer's x over the graph at its last movement, in twips.
    std::int16_t trendPointerX = 0;

Q_SIGNALS:
    // The date text ("Apr./10/2004") of a day to open on the Diary page.
    void dayOpenRequested(tonolog::Date day);

private:
    void connectControls();
    void drawLegend();
    // The cursor to the window's day 0..days-1: drawn, and named for a screen reader.
    void moveCursor(int day);
    // The graph's name: the cursor's day in words while it has the focus, its own name otherwise.
    void nameGraph();
    // The cursor's column and the focus ring over the graph's picture.
    void paintCursor();

    TrendControls& ui_;
    Document& document_;
    const CanvasSet& canvases_;
    const PagePalette& palette_;
    // The cursor: its day in the window it was placed in, and how many days that window has.
    Date cursorWindow_{};
    int cursorDay_ = 0;
    int windowDays_ = 0;
    // The graph's name from the layout, for the times it has no focus.
    QString graphName_;
};

} // namespace tonolog
