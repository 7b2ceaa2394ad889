// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/clock_dates.h"
#include "canvas/hand_pointer.h"
#include "canvas/press_and_hold.h"
#include "canvas/text.h"
#include "diary/diary_page.h"
#include "document/document.h"
#include "document/entry_rules.h"

#include <QLineEdit>

namespace tonolog {

void DiaryPage::reset() {
    // Showing the owner's name raises the box's change event, which the reset then forgets.
    ui_.InputName->setText(fromStd(document_.userName()));
    dayButtonState = HoldState::idle;
    entryChanged = false;
    currentDay.date = todayFrom(clock_);
    entryHasErrors = false;
    lastEntryErrors = {};
    clearDayReadings(currentDay);
}

void DiaryPage::abandonHold() {
    if (dayButtons != nullptr)
        dayButtons->cancel();
}

void DiaryPage::onTabSwitched() {
    const int page = host_.currentPage();
    if (page == 0 && lastTab != 0)
        showCurrentDay();
    lastTab = static_cast<std::int16_t>(page);
    if (entryChanged)
        commitEntry();
    entryChanged = false;
    host_.colourTabs(page);
}

void DiaryPage::showCurrentDay() {
    DiaryControls& d = ui_;
    d.InputDate->setText(fromStd(formatDayKey(currentDay.date)));
    for (std::size_t i = 0; i < 3; ++i) {
        d.InputSys[i]->setText(fromStd(displayedReading(currentDay.sys[i])));
        d.InputDia[i]->setText(fromStd(displayedReading(currentDay.dia[i])));
        d.InputPul[i]->setText(fromStd(displayedReading(currentDay.pul[i])));
        d.InputTime[i]->setText(fromStd(displayedTime(currentDay.time[i])));
    }
    d.InputNote->setText(fromStd(currentDay.note));
    // Filling the boxes raised their change events; a day that is only shown is not edited, and
    // faults typed into it again are new.
    entryChanged = false;
    lastEntryErrors = {};
    markFaults({});
}

void DiaryPage::loadDay(Date date) {
    currentDay = document_.dayRecord(date);
    showCurrentDay();
}

void DiaryPage::stepDay(int direction) {
    if (entryChanged) {
        commitEntry();
        // A refused step ends a hold: its message is said once, not at every repeat.
        if (entryHasErrors) {
            abandonHold();
            return;
        }
        entryChanged = false;
    }
    // No step leads beyond the days a date text can carry.
    const auto next = stepDayWithinYears(currentDay.date, direction);
    if (!next)
        return;
    currentDay.date = *next;
    loadDay(currentDay.date);
    ui_.InputSys[0]->setFocus(Qt::OtherFocusReason);
}

void DiaryPage::openDayFromList(Date date) {
    openDay(date);
    pointer_.restoreDefault();
}

void DiaryPage::openDay(Date date) {
    currentDay.date = date;
    loadDay(date);
    host_.bringDiaryPageToFront();
    // The page is in front already, so the switch does not show the day a second time.
    lastTab = 0;
    onTabSwitched();
}

void DiaryPage::showHandOverDayLabel() {
    pointer_.showHand();
}

} // namespace tonolog
