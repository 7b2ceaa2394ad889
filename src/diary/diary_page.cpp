#include "canvas/canvas.h"
#include "shell/main_form.h"
#include "shell/main_tab.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

namespace tonolog {

void MainForm::initPalette() {
    colors = PagePalette{};
    for (int i = 0; i < MainTab::pageCount; ++i)
        ui.mainTab->page(i)->setBackgroundColor(colors.tabFrontColor[static_cast<std::size_t>(i)]);
    ui.list.PicNoteArea->setBackgroundColor(colors.paletteListPage);
    ui.trend.PicExpArea->setBackgroundColor(colors.paletteTrendPage);
    ui.mainTab->setFrontColor(colors.paletteDiaryPage);
    ui.mainTab->setTabColor(0, colors.paletteDiaryPage);
    ui.mainTab->setTabColor(1, colors.paletteListTab);
    ui.mainTab->setTabColor(2, colors.paletteTrendTab);
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

void MainForm::showCurrentDay() {}

void MainForm::commitEntry() {}

} // namespace tonolog
