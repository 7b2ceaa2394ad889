#include "canvas/clock_dates.h"
#include "canvas/message_box.h"
#include "canvas/text.h"
#include "diary/diary_page.h"
#include "document/conversions.h"
#include "document/document.h"
#include "document/entry_rules.h"

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

std::string DiaryPage::validateEntry() {
    return formatErrorWords(checkEntry(entryOnPage(ui_)));
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

void DiaryPage::commitEntry() {
    const EntryErrorWords words = readErrorWords(validateEntry());
    if (words != EntryErrorWords{}) {
        entryHasErrors = 1;
        if (words != lastEntryErrors) {
            const int page = host_.currentPage();
            if (page == 1 || page == 2)
                host_.colourTabs(page);
            // Remembered before the box shows, so a commit run while it is open stays silent.
            lastEntryErrors = words;
            showMessage(messages_, fromStd(entryErrorMessage(words)), MessageButtons::Ok, MessageIcon::Question);
        }
        lastEntryErrors = words;
        return;
    }

    entryHasErrors = 0;
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

    const std::string key = formatDayKey(currentDay.date);
    noteDayChangedHere(document_, currentDay.date);
    const int position = document_.table.findByKey(key);
    widenDayRange(document_, currentDay.date);
    const std::int16_t filled = countFilledInputs();
    if (position != 0 && filled > 0) {
        document_.table.setKey(position, key);
        for (std::size_t i = 0; i < 3; ++i) {
            const int base = static_cast<int>(4 * i);
            document_.table.setSubColumn(position, base + 1, currentDay.sys[i]);
            document_.table.setSubColumn(position, base + 2, currentDay.dia[i]);
            document_.table.setSubColumn(position, base + 3, currentDay.pul[i]);
            document_.table.setSubColumn(position, base + 4, currentDay.time[i]);
        }
        document_.table.setSubColumn(position, noteColumn, currentDay.note);
        document_.table.setSubColumn(position, dayNumberColumn, formatDayNumber(currentDay.date));
    } else if (position != 0) {
        removeCurrentDayRow(position);
    } else if (filled > 0) {
        if (addRowFromRecord(document_.table, currentDay, document_.table.count() + 1, key) == 0)
            showMessage(messages_,
                        QStringLiteral("The diary is full: it holds 32767 days, and no day can be added."),
                        MessageButtons::Ok, MessageIcon::Exclamation);
    }

    host_.entryCommitted();
}

bool DiaryPage::commitPendingEntry() {
    if (entryChanged == 1) {
        commitEntry();
        if (entryHasErrors == 1)
            return false;
        entryChanged = 0;
    }
    return true;
}

void DiaryPage::takeInValidEntry() {
    if (entryChanged == 1 && readErrorWords(validateEntry()) == EntryErrorWords{}) {
        commitEntry();
        entryChanged = 0;
    }
}

void DiaryPage::removeCurrentDayRow(int position) {
    const DateTime day = DateTime::atMidnight(currentDay.date);
    if (day != document_.firstDay && day != document_.lastDay) {
        document_.table.remove(position);
        return;
    }
    bool firstChanged = false;
    bool lastChanged = false;
    if (document_.table.count() == 1) {
        document_.firstDay = document_.lastDay = nowFrom(clock_);
        firstChanged = lastChanged = true;
    } else if (day == document_.firstDay) {
        // The earliest day goes: the next row becomes the first.
        const int next = position == 1 ? 2 : 1;
        document_.firstDay =
            DateTime::atMidnight(parseDate(document_.table.rowAt(next).key()).value_or(currentDay.date));
        firstChanged = true;
    } else {
        const int previous = position > 1 ? position - 1 : 2;
        document_.lastDay =
            DateTime::atMidnight(parseDate(document_.table.rowAt(previous).key()).value_or(currentDay.date));
        lastChanged = true;
    }
    // Keep the Trend page's window on the data.
    if (firstChanged && document_.firstDay.date > document_.trendWindowEnd)
        setTrendWindowToMonthOf(document_, document_.firstDay.date);
    else if (lastChanged && document_.lastDay.date < document_.trendWindowStart)
        setTrendWindowToMonthOf(document_, document_.lastDay.date);
    // Keep the List page on the data.
    if (position <= document_.listTopIndex + 3)
        document_.listTopIndex = static_cast<std::int16_t>(std::max(1, document_.listTopIndex - 1));
    document_.table.remove(position);
}

} // namespace tonolog
