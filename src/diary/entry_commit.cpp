#include "canvas/clock_dates.h"
#include "canvas/message_box.h"
#include "canvas/text.h"
#include "diary/diary_page.h"
#include "document/conversions.h"
#include "document/document.h"
#include "document/entry_rules.h"
#include "platform/words.h"

#include <QLineEdit>

namespace tonolog {

namespace {

EntryTexts entryOnPage(const DiaryControls& d) {
    EntryTexts entry;
    entry.date = toStd(d.InputDate->text());
    for (std::size_t i = 0; i < 3; ++i) {
        entry.sys[i] = toStd(d.InputSys[i]->text());
        entry.dia[i] = toStd(d.InputDia[i]->text());
        entry.pul[i] = toStd(d.InputPul[i]->text());
    }
    return entry;
}

} // namespace

EntryFaults DiaryPage::validateEntry() {
    return checkEntry(entryOnPage(ui_));
}

std::int16_t DiaryPage::countFilledInputs() {
    const DiaryControls& d = ui_;
    std::int16_t filled = 0;
    for (std::size_t i = 0; i < 3; ++i)
        for (const QLineEdit* box : {d.InputSys[i], d.InputDia[i], d.InputPul[i], d.InputTime[i]})
            if (!box->text().isEmpty())
                ++filled;
    if (!d.InputNote->text().isEmpty())
        ++filled;
    return filled;
}

void DiaryPage::commitEntry(CommitCause cause) {
    const EntryFaults faults = validateEntry();
    if (faults.any()) {
        entryHasErrors = true;
        if (!showingFaults_ && (faults != lastEntryErrors || cause == CommitCause::command)) {
            const int page = host_.currentPage();
            if (page == 1 || page == 2)
                host_.colourTabs(page);
            lastEntryErrors = faults;
            showingFaults_ = true;
            showMessage(messages_, fromStd(entryErrorMessage(faults)), MessageButtons::Ok,
                        MessageIcon::Question);
            showingFaults_ = false;
        }
        lastEntryErrors = faults;
        return;
    }

    entryHasErrors = false;
    lastEntryErrors = {};
    const DiaryControls& d = ui_;
    currentDay.date = parseDate(toStd(d.InputDate->text())).value_or(currentDay.date);
    for (std::size_t i = 0; i < 3; ++i) {
        currentDay.sys[i] = toStd(d.InputSys[i]->text());
        currentDay.dia[i] = toStd(d.InputDia[i]->text());
        currentDay.pul[i] = toStd(d.InputPul[i]->text());
        currentDay.time[i] = normaliseTimeText(toStd(d.InputTime[i]->text()));
    }
    currentDay.note = toStd(d.InputNote->text());

    if (document_.putDay(currentDay, countFilledInputs() == 0, nowFrom(clock_)) == PutResult::full)
        showMessage(messages_,
                    Tonolog::tr("The diary is full: it holds 32767 days, and no day can be added."),
                    MessageButtons::Ok, MessageIcon::Exclamation);

    host_.entryCommitted();
}

bool DiaryPage::commitPendingEntry() {
    if (entryChanged) {
        commitEntry();
        if (entryHasErrors)
            return false;
        entryChanged = false;
    }
    return true;
}

void DiaryPage::takeInValidEntry() {
    if (entryChanged && !validateEntry().any()) {
        commitEntry();
        entryChanged = false;
    }
}

} // namespace tonolog
