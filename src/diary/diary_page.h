// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QFont>
#include <QObject>
#include <QSize>

#include "canvas/page.h"
#include "canvas/press_and_hold.h"
#include "diary/diary_controls.h"
#include "document/entry_rules.h"
#include "document/reading_table.h"

#include <array>
#include <cstdint>
#include <string>

class QCalendarWidget;
class QDate;
class QWidget;

namespace tonolog {

class Clock;
class HandPointer;
class MessageBoxService;
class PressAndHold;
class Document;

// What the Diary page asks of the window it sits in.
class DiaryHost {
public:
    // The page in front: 0 Diary, 1 List, 2 Trend.
    virtual int currentPage() const = 0;
    // Puts the Diary page in front, without the tab strip's click.
    virtual void bringDiaryPageToFront() = 0;
    // The front page's tab in its page colour, the others in their tab colours.
    virtual void colourTabs(int frontPage) = 0;
    // The tab strip takes the focus, so the box that had it is left.
    virtual void focusTabStrip() = 0;
    // A tab of the strip was clicked (or Ctrl+Tab pressed) and the page is switching: the box that
    // loses the focus to the strip is committed by the switch, after it.
    virtual bool switchingPage() const = 0;
    // A day went into the table: the pages are redrawn and the backup rewritten.
    virtual void entryCommitted() = 0;
    // The owner's name box was edited (the name is in the document already).
    virtual void ownerNameEdited() = 0;

protected:
    ~DiaryHost() = default;
};

// The Diary page: one day on screen, stepping between days, the input boxes, validation and the
// commit of the page into the reading table.
class DiaryPage : public QObject, public Page {
    Q_OBJECT
public:
    DiaryPage(DiaryControls& controls, QCalendarWidget& monthView, Document& document, const Clock& clock,
              MessageBoxService& messages, HandPointer& pointer, DiaryHost& host, QObject* parent = nullptr);
    ~DiaryPage() override;

    void drawBackground() override {}
    void drawContent() override { showCurrentDay(); }
    void reset() override;
    void abandonHold() override;

    // Fills the boxes from currentDay; a day that is only shown is not edited.
    void showCurrentDay();
    // Runs after every click on the tab strip: refills the page when coming back to it, commits a
    // pending edit and colours the tabs.
    void onTabSwitched();
    // Makes the date the current day and shows it.
    void loadDay(Date date);
    // One step of a day button: -1 Previous day, +1 Next day.
    void stepDay(int direction);
    // Opens the day of a List page row that was double-clicked.
    void openDayFromList(Date date);
    // Opens the day on the page and brings the page to the front.
    void openDay(Date date);
    // The hand pointer over a day label of the List page.
    void showHandOverDayLabel();
    EntryFaults validateEntry();
    std::int16_t countFilledInputs();
    // Leaving one box for another says the same faults once; a step, a page switch or a command
    // refused because of them says them every time.
    enum class CommitCause { leavingBox, command };
    void commitEntry(CommitCause cause = CommitCause::command);
    // Commits a pending edit; false when it was rejected.
    bool commitPendingEntry();
    // Commits a pending edit only when it is valid, saying nothing: for the end of a session, when
    // no message may wait for an answer. An invalid one stays on the page.
    void takeInValidEntry();
    // What happens when a box loses the focus: the commit rule, or the date rule for the date box.
    void leaveBox(QWidget* box);
    // Enter moves the focus on, in the tab order of the readings.
    void enterPressedIn(QWidget* box);
    void openCalendar();
    // Closes the calendar without a change; the date box has the focus again.
    void closeCalendar();
    void takeCalendarDate(const QDate& date);
    void fillCurrentTime(int reading);

    DayRecord currentDay;
    bool entryChanged = false;
    bool entryHasErrors = false;
    // The faults last said, so that leaving one box for another does not say them again; forgotten
    // whenever the page is filled anew.
    EntryFaults lastEntryErrors;
    std::int16_t lastTab = 0;
    HoldState dayButtonState = HoldState::idle;
    // The press-and-hold timing of the Previous day / Next day buttons (state in dayButtonState).
    PressAndHold* dayButtons = nullptr;

private:
    void connectControls();
    void connectButtons();
    // Each faulty box framed in red, its tool tip and description saying what is wrong; the
    // others as they were.
    void markFaults(const EntryFaults& faults);
    // A marked box whose fault the user corrected loses its mark.
    void unmarkCorrectedBoxes();
    QLineEdit* boxOf(const BoxFault& fault) const;

    DiaryControls& ui_;
    QCalendarWidget& monthView_;
    Document& document_;
    const Clock& clock_;
    MessageBoxService& messages_;
    HandPointer& pointer_;
    DiaryHost& host_;
    // The faults' message is open: a commit run meanwhile says nothing.
    bool showingFaults_ = false;
    std::vector<QLineEdit*> marked_;
    // The calendar's designed size and font, which it grows from with the window.
    QSize calendarDesign_;
    QFont calendarFont_;
    static constexpr int dateBoxHeightTwips = 450;
};

} // namespace tonolog
