#include "document/conversions.h"
#include "document/data_file.h"
#include "document/entry_rules.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"

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

std::string MainForm::validateEntry() {
    return formatErrorWords(checkEntry(entryOnPage(ui.diary)));
}

std::int16_t MainForm::countFilledInputs() {
    const DiaryControls& d = ui.diary;
    std::int16_t filled = 0;
    for (std::size_t i = 0; i < 3; ++i)
        for (const QLineEdit* box : {d.InputSys[i], d.InputDia[i], d.InputPul[i], d.InputTime[i]})
            if (!box->text().isEmpty())
                ++filled;
    if (!d.InputNote->text().isEmpty())
        ++filled;
    return filled;
}

void MainForm::commitEntry() {
    const EntryErrorWords words = readErrorWords(validateEntry());
    if (words != EntryErrorWords{}) {
        entryHasErrors = 1;
        if (words != lastEntryErrors) {
            const int page = ui.mainTab->currentPage();
            if (page == 1 || page == 2) {
                for (int i = 0; i < MainTab::pageCount; ++i)
                    ui.mainTab->setTabColor(i, colors.tabBackColor[static_cast<std::size_t>(i)]);
                ui.mainTab->setTabColor(page, colors.tabFrontColor[static_cast<std::size_t>(page)]);
            }
            // Remembered before the box shows, so a commit run while it is open stays silent.
            lastEntryErrors = words;
            showMessage(fromStd(entryErrorMessage(words)), 0, 1);
        }
        lastEntryErrors = words;
        return;
    }

    entryHasErrors = 0;
    lastEntryErrors = {};
    const DiaryControls& d = ui.diary;
    currentDay.date = parseDate(toStd(d.InputDate->text())).value_or(currentDay.date);
    for (std::size_t i = 0; i < 3; ++i) {
        currentDay.sys[i] = toStd(d.InputSys[i]->text());
        currentDay.dia[i] = toStd(d.InputDia[i]->text());
        currentDay.pul[i] = toStd(d.InputPul[i]->text());
        currentDay.time[i] = normaliseTimeText(toStd(d.InputTime[i]->text()));
    }
    currentDay.note = toStd(d.InputNote->text());

    const std::string key = formatDayKey(currentDay.date);
    const int position = document.table.findByKey(key);
    widenDayRange(document, currentDay.date);
    const std::int16_t filled = countFilledInputs();
    if (position != 0 && filled > 0) {
        document.table.setKey(position, key);
        for (std::size_t i = 0; i < 3; ++i) {
            const int base = static_cast<int>(4 * i);
            document.table.setSubColumn(position, base + 1, currentDay.sys[i]);
            document.table.setSubColumn(position, base + 2, currentDay.dia[i]);
            document.table.setSubColumn(position, base + 3, currentDay.pul[i]);
            document.table.setSubColumn(position, base + 4, currentDay.time[i]);
        }
        document.table.setSubColumn(position, noteColumn, currentDay.note);
        document.table.setSubColumn(position, dayNumberColumn, formatDayNumber(currentDay.date));
    } else if (position != 0) {
        removeCurrentDayRow(position);
    } else if (filled > 0) {
        if (addRowFromRecord(document.table, currentDay, document.table.count() + 1, key) == 0)
            showMessage(QStringLiteral("The diary is full: it holds 32767 days, and no day can be added."), 0,
                        2);
    }

    redrawPages();
    if (!writeBackup()) {
        if (!backupFailureShown_)
            showMessage(QStringLiteral("The backup file cannot be written, so the latest changes are not yet "
                                       "safe on disk.\r\nSave the diary with File > Save as."),
                        0, 2);
        backupFailureShown_ = true;
    } else {
        backupFailureShown_ = false;
    }
}

void MainForm::removeCurrentDayRow(int position) {
    const DateTime day = DateTime::atMidnight(currentDay.date);
    if (day != document.firstDay && day != document.lastDay) {
        document.table.remove(position);
        return;
    }
    bool firstChanged = false;
    bool lastChanged = false;
    if (document.table.count() == 1) {
        document.firstDay = document.lastDay = now();
        firstChanged = lastChanged = true;
    } else if (day == document.firstDay) {
        // The earliest day goes: the next row becomes the first.
        const int next = position == 1 ? 2 : 1;
        document.firstDay =
            DateTime::atMidnight(parseDate(document.table.rowAt(next).key()).value_or(currentDay.date));
        firstChanged = true;
    } else {
        const int previous = position > 1 ? position - 1 : 2;
        document.lastDay =
            DateTime::atMidnight(parseDate(document.table.rowAt(previous).key()).value_or(currentDay.date));
        lastChanged = true;
    }
    // Keep the Trend page's window on the data.
    if (firstChanged && document.firstDay.date > document.trendWindowEnd)
        setTrendWindowToMonthOf(document, document.firstDay.date);
    else if (lastChanged && document.lastDay.date < document.trendWindowStart)
        setTrendWindowToMonthOf(document, document.lastDay.date);
    // Keep the List page on the data.
    if (position <= document.listTopIndex + 3)
        document.listTopIndex = static_cast<std::int16_t>(std::max(1, document.listTopIndex - 1));
    document.table.remove(position);
}

} // namespace tonolog
