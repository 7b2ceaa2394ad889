// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QObject>
#include <QRect>
#include <QStringList>
#include <QWidget>

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

// One day row of the list as a single control: it holds the row's labels, lies over the whole
// list so that they keep the places the layout gives them, and takes clicks only where they are.
// Tab reaches it and draws a ring around it; Up and Down ask for the neighbouring row, Enter or
// Space for its day. Screen readers hear one list item named by the row's words, not its labels.
class ListDayRow : public QWidget {
    Q_OBJECT
public:
    explicit ListDayRow(QWidget* list);

    // Follows the list's size and the labels' places, after the layout moved them.
    void fitToLabels();
    // Where the row's labels are, in the list's pixels.
    QRect area() const { return area_; }
    // Asks for the row's day to be opened, as Enter does.
    void open() { Q_EMIT openRequested(); }

Q_SIGNALS:
    void openRequested();
    // -1 for the row above, 1 for the one below.
    void stepRequested(int rows);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect area_;
};

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
    // Every control of row r shown or hidden, the row's own control with them.
    void showListRow(bool visible, int row);
    // One row back or forward, within the diary; the page is redrawn either way.
    void stepListUp();
    void stepListDown();
    // The mouse moved over the page away from the day labels: the arrow again, once.
    void pointerMovedOverPage();

    HoldState listButtonState = HoldState::idle;
    // The press-and-hold timing of Previous data / Next data (state in listButtonState).
    PressAndHold* listButtons = nullptr;

Q_SIGNALS:
    // A day label of a row with data was double-clicked, or Enter pressed on the row: that day
    // is to be opened.
    void dayOpenRequested(tonolog::Date day);
    // The mouse moved over a day label.
    void dayLabelHovered();

private:
    void connectControls();
    // Gathers each row's labels into its ListDayRow.
    void makeDayRows();
    // The day shown in row r, to the Diary page.
    void openDayOfRow(int row);
    // Up or Down on row r: the focus to the neighbouring row, or the list a day further at its
    // ends, as Previous data and Next data move it.
    void stepFocusFrom(int row, int step);
    // The row canvas and the chart described for a screen reader: the days shown, in words.
    void describeForScreenReaders(const QStringList& days);

    ListControls& ui_;
    Document& document_;
    const CanvasSet& canvases_;
    HandPointer& pointer_;
};

} // namespace tonolog
