#include "canvas/canvas.h"
#include "document/entry_rules.h"
#include "shell/controls.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"
#include "shell/resources.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>

namespace tonolog {

void MainForm::initPalette() {
    colors = PagePalette{};
    for (int i = 0; i < MainTab::pageCount; ++i)
        ui.mainTab->page(i)->setBackgroundColor(colors.tabFrontColor[static_cast<std::size_t>(i)]);
    ui.list.PicNoteArea->setBackgroundColor(colors.paletteListPage);
    ui.trend.PicExpArea->setBackgroundColor(colors.paletteTrendPage);
    ui.mainTab->setFrontColor(colors.paletteDiaryPage);
    ui.mainTab->setTabColor(1, colors.paletteListTab);
    ui.mainTab->setTabColor(2, colors.paletteTrendTab);
    ui.mainTab->setTabColor(0, colors.paletteDiaryPage);
    QPalette calendar = ui.MonthView->palette();
    calendar.setColor(QPalette::Highlight, colors.paletteGreen);
    ui.MonthView->setPalette(calendar);
}

void MainForm::onTabSwitched() {
    const int page = ui.mainTab->currentPage();
    if (page == 0 && lastTab != 0)
        showCurrentDay();
    lastTab = static_cast<std::int16_t>(page);
    if (entryChanged == 1)
        commitEntry();
    entryChanged = 0;
    for (int i = 0; i < MainTab::pageCount; ++i)
        ui.mainTab->setTabColor(i, colors.tabBackColor[static_cast<std::size_t>(i)]);
    ui.mainTab->setTabColor(page, colors.tabFrontColor[static_cast<std::size_t>(page)]);
}

void MainForm::showCurrentDay() {
    DiaryControls& d = ui.diary;
    d.InputDate->setText(fromStd(formatDayKey(currentDay.date)));
    for (std::size_t i = 0; i < 3; ++i) {
        d.InputSys[i]->setText(fromStd(displayedReading(currentDay.sys[i])));
        d.InputDia[i]->setText(fromStd(displayedReading(currentDay.dia[i])));
        d.InputPul[i]->setText(fromStd(displayedReading(currentDay.pul[i])));
        d.InputTime[i]->setText(fromStd(displayedTime(currentDay.time[i])));
    }
    d.InputNote->setText(fromStd(currentDay.note));
    // Filling the boxes raised their change events; a day that is only shown is not edited.
    entryChanged = 0;
}

void MainForm::loadDay(Date date) {
    const int position = document.table.findByKey(formatDayKey(date));
    if (position == 0) {
        clearDayReadings(currentDay);
        currentDay.date = date;
    } else {
        const DayRow& row = document.table.rowAt(position);
        currentDay.date = parseDate(row.key()).value_or(date);
        for (std::size_t i = 0; i < 3; ++i) {
            const int base = static_cast<int>(4 * i);
            currentDay.sys[i] = row.column(base + 1);
            currentDay.dia[i] = row.column(base + 2);
            currentDay.pul[i] = row.column(base + 3);
            currentDay.time[i] = row.column(base + 4);
        }
        currentDay.note = row.column(noteColumn);
    }
    showCurrentDay();
}

void MainForm::stepDay(int direction) {
    if (entryChanged == 1) {
        commitEntry();
        if (entryHasErrors != 0)
            return;
        entryChanged = 0;
    }
    currentDay.date = addDays(currentDay.date, 1, direction < 0 ? 2 : 1);
    loadDay(currentDay.date);
    ui.diary.InputSys[0]->setFocus(Qt::OtherFocusReason);
}

void MainForm::openDayFromList(int row) {
    QString text = ui.list.LblDateData[static_cast<std::size_t>(row)]->text();
    text.remove(QStringLiteral("\r\n"));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char(' '));
    const auto date = parseDate(toStd(text));
    if (date) {
        ui.diary.InputDate->setText(text);
        currentDay.date = *date;
        loadDay(*date);
        ui.mainTab->setCurrentPage(0);
        lastTab = 0;
        onTabSwitched();
    }
    labelPointerState = 1;
    unsetCursor();
}

void MainForm::showHandOverDayLabel() {
    if (labelPointerState == 2)
        return;
    setCursor(cursorResource(101));
    labelPointerState = 2;
}

} // namespace tonolog
