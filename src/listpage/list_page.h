// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QObject>
#include <QStringList>

#include "canvas/page.h"
#include "canvas/press_and_hold.h"
#include "document/dates.h"
#include "listpage/list_controls.h"

#include <cstdint>

namespace tonolog {

class CanvasSet;
class Clock;
class HandPointer;
class PressAndHold;
class Document;

// The List page: four consecutive days as rows of text beside a bar chart on a 0 to 250 scale,
// paged through the diary a row at a time.
class ListPage : public QObject, public Page {
    Q_OBJECT
public:
    ListPage(ListControls& controls, Document& document, const CanvasSet& canvases, const Clock& clock,
             HandPointer& pointer, QObject* parent = nullptr);
    ~ListPage() override;

    void drawBackground() override { drawListBackground(); }
    void drawContent() override { DspListTab(); }
    void reset() override;
    void abandonHold() override;

    // The zones, the dotted grid and the scale labels at their lines.
    void drawListBackground();
    // The four rows from listTopIndex and their marks on the chart; always 0.
    int DspListTab();
    // Every control of row r shown or hidden.
    void showListRow(bool visible, int row);
    // One row back or forward, within the diary; the page is redrawn either way.
    void stepListUp();
    void stepListDown();
    // The mouse moved over the page away from the day labels: the arrow again, once.
    void pointerMovedOverPage();
    // The caption of row 0..3's day label.

    HoldState listButtonState = HoldState::idle;
    // The press-and-hold timing of Previous data / Next data (state in listButtonState).
    PressAndHold* listButtons = nullptr;

Q_SIGNALS:
    // A day label of the row was double-clicked.
    // A day label of a row with data was double-clicked: that day is to be opened.
    void dayOpenRequested(tonolog::Date day);
    // The mouse moved over a day label.
    void dayLabelHovered();

private:
    void connectControls();
    // The row canvas and the chart described for a screen reader: the days shown, in words.
    void describeForScreenReaders(const QStringList& days);

    ListControls& ui_;
    Document& document_;
    const CanvasSet& canvases_;
    HandPointer& pointer_;
};

} // namespace tonolog
