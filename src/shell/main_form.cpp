// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_form.h"

#include "canvas/canvas.h"
#include "canvas/clock_dates.h"
#include "canvas/controls.h"
#include "canvas/focus_ring.h"
#include "canvas/message_box.h"
#include "canvas/resources.h"
#include "canvas/text.h"
#include "canvas/twips.h"
#include "diary/diary_page.h"
#include "document/data_file.h"
#include "document/messages.h"
#include "listpage/list_page.h"
#include "platform/settings_store.h"
#include "platform/words.h"
#include "print/page_printing.h"
#include "report/import_commands.h"
#include "report/report_commands.h"
#include "shell/file_on_disk.h"
#include "shell/help_commands.h"
#include "shell/main_tab.h"
#include "trend/trend_page.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

namespace tonolog {

// The central widget: when its size changes, every control is rescaled before the window
// redraws its pages.
class ClientArea : public QWidget {
public:
    explicit ClientArea(MainForm* form) : QWidget(form), form_(form) {}

protected:
    void resizeEvent(QResizeEvent*) override { form_->clientResized(); }

private:
    MainForm* form_;
};

// What the Diary page and the printing ask of the window.
class PageLinks final : public DiaryHost, public PrintHost {
public:
    explicit PageLinks(MainForm& form) : form_(form) {}
    virtual ~PageLinks() = default;

    int currentPage() const override { return form_.ui.mainTab->currentPage(); }
    void bringDiaryPageToFront() override { form_.ui.mainTab->setCurrentPage(0); }
    void colourTabs(int frontPage) override {
        MainTab* tab = form_.ui.mainTab;
        const PagePalette& c = form_.colors;
        for (int i = 0; i < MainTab::pageCount; ++i)
            tab->setTabColor(i, c.tabBackColor[static_cast<std::size_t>(i)]);
        tab->setTabColor(frontPage, c.tabFrontColor[static_cast<std::size_t>(frontPage)]);
    }
    void focusTabStrip() override { form_.ui.mainTab->takeFocus(); }
    bool switchingPage() const override { return form_.ui.mainTab->isSwitchingPage(); }
    void entryCommitted() override {
        form_.redrawPages();
        form_.files().backUpCommit();
    }
    void ownerNameEdited() override { form_.files().updatePageTitles(); }

    QWidget& clientArea() override { return *form_.centralWidget(); }
    void setBackgrounds(const QColor& color) override {
        QPalette windowPalette = form_.palette();
        windowPalette.setColor(QPalette::Window, color);
        form_.setPalette(windowPalette);
        form_.ui.mainTab->setBackgroundColor(color);
    }

private:
    MainForm& form_;
};

namespace {

void loadButtonPictures(MainLayout& ui) {
    ui.diary.ImgDiaryUp->setPictures(1001, 1002);
    ui.diary.ImgDiaryDown->setPictures(1003, 1004);
    ui.list.ImgListUp->setPictures(1007, 1008);
    ui.list.ImgListDown->setPictures(1009, 1010);
    ui.diary.ImgInputDate->setPictures(1005, 1006);
    for (ImageButton* button : ui.diary.ImgInputTime)
        button->setPictures(1005, 1006);
    ui.list.ImgListPrint->setPictures(1011, 1012);
    ui.trend.ImgTrendLeft->setPictures(1013, 1014);
    ui.trend.ImgTrendRight->setPictures(1015, 1016);
    ui.trend.ImgTrendPrint->setPictures(1017, 1018);
    ui.diary.ImgDiaryLogo->setPictures(1101);
    ui.list.ImgListLogo->setPictures(1102);
    ui.trend.ImgTrendLogo->setPictures(1103);
}

// The program's fixed colours on the pages, the tabs and the calendar.
void initPalette(MainLayout& ui, PagePalette& colors) {
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

} // namespace

QSize MainForm::designClientPixels() {
    return QSize(twips::toPixels(designClientTwips.width()), twips::toPixels(designClientTwips.height()));
}

MainForm::MainForm(Platform& platform, Locations locations, QWidget* parent)
    : QMainWindow(parent), document(toStd(locations.backupDir) + backupFileName), platform_(platform),
      locations_(std::move(locations)), elastic_(designClientTwips),
      links_(std::make_unique<PageLinks>(*this)) {
    setObjectName(QStringLiteral("MainForm"));
    // The keyboard's focus is drawn as a clear ring on every control.
    useFocusRingStyle();
    setWindowTitle(QString::fromUtf8(text::programTitle));
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSizeF(9);
    setFont(base);
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("MainFormClient"));
    setCentralWidget(client_);
    elastic_.rescale(designClientPixels());
    ui = buildMainLayout(*this, *client_, elastic_);

    diary_ = std::make_unique<DiaryPage>(ui.diary, *ui.MonthView, document, platform_.clock,
                                         platform_.messages, pointer, *links_);
    canvases.setCanvas(CanvasSet::listRows, ui.list.PicViewArea);
    canvases.setCanvas(CanvasSet::listChart, ui.list.PicGraphArea);
    canvases.setCanvas(CanvasSet::trendGraph, ui.trend.PicTrendArea);
    canvases.setCanvas(CanvasSet::trendLegend, ui.trend.PicExpArea);
    list_ = std::make_unique<ListPage>(ui.list, document, canvases, platform_.clock, pointer);
    trend_ = std::make_unique<TrendPage>(ui.trend, document, canvases, colors, platform_.clock);
    printing_ = std::make_unique<PagePrinting>(
        document, PrintButton{ui.list.ImgListPrint, ui.list.LblListPrint},
        PrintButton{ui.trend.ImgTrendPrint, ui.trend.LblTrendPrint}, colors, platform_.dialogs,
        platform_.messages, *links_, locations_.documentsDir);
    files_ = std::make_unique<FileCommands>(*this);
    disk_ = std::make_unique<FileOnDisk>(*this);
    help_ = std::make_unique<HelpCommands>(*this);
    reports_ = std::make_unique<ReportCommands>(document, platform_.dialogs, platform_.messages,
                                                platform_.clock, *this, locations_.documentsDir);
    // A report reads the diary as committed: a pending edit goes in first, or nothing opens.
    connect(ui.menu.actReport, &QAction::triggered, this, [this] {
        if (diary_->commitPendingEntry())
            reports_->openReportDialog();
    });
    // An import goes into the diary as one change: the pages redraw once and the backup takes it.
    imports_ =
        std::make_unique<ImportCommands>(document, platform_.dialogs, platform_.messages, *this,
                                         locations_.documentsDir, [this](const ImportPlan& plan) {
                                             if (!applyImport(document, plan, nowFrom(platform_.clock)))
                                                 return false;
                                             drawAllPages();
                                             files_->backUpCommit();
                                             return true;
                                         });
    connect(ui.menu.actImport, &QAction::triggered, this, [this] {
        if (diary_->commitPendingEntry())
            imports_->importReadings();
    });
    connect(ui.menu.actExportCsv, &QAction::triggered, this, [this] {
        if (diary_->commitPendingEntry())
            reports_->openExportDialog();
    });

    connect(ui.mainTab, &MainTab::tabStripClicked, diary_.get(), &DiaryPage::onTabSwitched);
    // The page itself cannot take the focus: a click there moves it to the tab strip, so the box
    // that had it is left.
    connect(ui.mainTab->page(0), &TabPage::clicked, ui.mainTab, &MainTab::takeFocus);
    connect(list_.get(), &ListPage::dayOpenRequested, diary_.get(), &DiaryPage::openDayFromList);
    connect(list_.get(), &ListPage::dayLabelHovered, diary_.get(), &DiaryPage::showHandOverDayLabel);
    connect(ui.mainTab->page(1), &TabPage::mouseMoved, list_.get(), &ListPage::pointerMovedOverPage);
    connect(trend_.get(), &TrendPage::dayOpenRequested, diary_.get(), &DiaryPage::openDay);
}

MainForm::~MainForm() {
    // The report's dialogs and the pages go before the controls they watch.
    reports_.reset();
    imports_.reset();
    diary_.reset();
    list_.reset();
    trend_.reset();
}

void MainForm::initialise() {
    windowActivated = false;
    SettingsStore& settings = platform_.settings;
    bool topOk = false;
    bool leftOk = false;
    const int top = settings.read(QStringLiteral("FormSize"), QStringLiteral("Top"), QStringLiteral("600"))
                        .trimmed()
                        .toInt(&topOk);
    const int left = settings.read(QStringLiteral("FormSize"), QStringLiteral("Left"), QStringLiteral("600"))
                         .trimmed()
                         .toInt(&leftOk);
    windowTop = topOk ? top : 600;
    windowLeft = leftOk ? left : 600;
    // A position that lies off every screen (a monitor since removed) falls back to the default.
    const QPoint corner(twips::toPixels(windowLeft) + 20, twips::toPixels(windowTop) + 10);
    if (!topOk || !leftOk || QGuiApplication::screenAt(corner) == nullptr) {
        windowTop = 600;
        windowLeft = 600;
    }
    history.historyPath1 = settings.read(QStringLiteral("History"), QStringLiteral("Path1"), QString());
    history.historyPath2 = settings.read(QStringLiteral("History"), QStringLiteral("Path2"), QString());
    history.historyPath3 = settings.read(QStringLiteral("History"), QStringLiteral("Path3"), QString());
    files_->showHistoryMenu();
}

void MainForm::loadWindow(const QString& commandLine) {
    initPalette(ui, colors);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, colors.paletteGrey);
    setPalette(windowPalette);
    client_->setAutoFillBackground(true);
    ui.mainTab->setBackgroundColor(colors.paletteGrey);
    ui.list.PicViewArea->setBackgroundColor(colors.paletteListRows);
    ui.mainTab->setCaptionFontName(QStringLiteral("Arial"));
    ui.mainTab->setCurrentPage(0);
    diary_->lastTab = 0;
    QRect note = elastic_.designRect(ui.list.PicNoteArea);
    note.moveTop(elastic_.designRect(ui.mainTab->page(1)).height());
    elastic_.setDesignRect(ui.list.PicNoteArea, note);

    move(twips::toPixels(windowLeft), twips::toPixels(windowTop));
    resize(twips::toPixels(windowSizeTwips.width()), twips::toPixels(windowSizeTwips.height()));
    setWindowIcon(iconResource(101));

    files_->resetDocument();

    bool recalled = false;
    if (document.backupExists()) {
        QString question = Tonolog::tr("Backup data was kept from the last time.\n"
                                       "Would you like to recall data from the backup?");
        if (readWholeFile(document.backupPath()).value_or(std::string()) != emptyBackupLine)
            question += Tonolog::tr("\n\nIf not, it is kept as a file in\n") + locations_.backupDir;
        // A backup that is not recalled is kept as a file of its own first: it may hold the only
        // copy of readings never saved. If it cannot be kept, it is recalled after all.
        if (showMessage(platform_.messages, question, MessageButtons::YesNo, MessageIcon::Question) ==
                MessageResult::Yes ||
            !disk_->keepDeclinedBackup()) {
            const Date today = todayFrom(platform_.clock);
            files_->readIntoDocument([this, today] { return document.recallBackup(today); });
            recalled = true;
        }
    }
    if (!recalled) {
        files_->writeEmptyBackupOrWarn();
        const QString path = commandLinePath(commandLine);
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0 && slash + 1 < path.size())
            files_->readNamedFile(path);
    }

    loadButtonPictures(ui);
    drawAllPages();
    // Copies of the diary that interrupted writes left in the backup's directory go.
    removeStaleTemporaries(document.backupPath(), processStartTime(), true);
    // Typing starts in the first box of the tab order, the owner's name.
    ui.diary.InputName->setFocus(Qt::OtherFocusReason);
    loaded_ = true;
}

bool MainForm::closeRequest() {
    // At the end of a session nothing may be asked.
    if (ending_ || qApp->isSavingSession()) {
        endSession();
        return true;
    }
    // The same questions as before leaving a document for another one.
    if (!files_->leaveDocumentChecks())
        return false;
    saveSettings();
    document.deleteBackup();
    return true;
}

void MainForm::commitSessionData() {
    diary_->takeInValidEntry();
    saveSettings(true);
}

void MainForm::endSession() {
    if (ending_)
        return;
    ending_ = true;
    commitSessionData();
    // Nothing unsaved: as a close would, the backup goes. Before the diary is loaded the backup
    // may be the leftover of an earlier run, which stays.
    if (loaded_ && !document.isDirty())
        document.deleteBackup();
}

void MainForm::saveSettings(bool quiet) {
    SettingsStore& settings = platform_.settings;
    bool kept = settings.write(QStringLiteral("FormSize"), QStringLiteral("Top"), QString::number(windowTop));
    kept = settings.write(QStringLiteral("FormSize"), QStringLiteral("Left"), QString::number(windowLeft)) &&
           kept;
    kept = settings.write(QStringLiteral("History"), QStringLiteral("Path1"), history.historyPath1) && kept;
    kept = settings.write(QStringLiteral("History"), QStringLiteral("Path2"), history.historyPath2) && kept;
    kept = settings.write(QStringLiteral("History"), QStringLiteral("Path3"), history.historyPath3) && kept;
    kept = settings.sync() && kept;
    // Said once, and the window closes all the same: nothing of the diary depends on it.
    if (!kept && !quiet)
        showMessage(platform_.messages,
                    Tonolog::tr("The window position and the recent files could not be kept:\n"
                                "the settings cannot be written."),
                    MessageButtons::Ok, MessageIcon::Exclamation);
}

void MainForm::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (closeRequest())
        event->accept();
    else
        event->ignore();
}

bool MainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowBlocked) {
        // A modal box (a validation message shown by a held day button, say) takes the mouse:
        // the release can no longer reach the button, so a hold in progress ends here.
        for (ImageButton* button : findChildren<ImageButton*>())
            button->abandonPress();
        for (Page* page : std::initializer_list<Page*>{diary_.get(), list_.get(), trend_.get()})
            page->abandonHold();
    }
    if (event->type() == QEvent::WindowActivate) {
        windowActivated = true;
        // Another program may have changed the diary's file while the window was elsewhere.
        disk_->windowActivated();
    }
    if (event->type() == QEvent::Show && !windowActivated) {
        // Some window systems never activate a window that was not clicked; the first show counts.
        QTimer::singleShot(0, this, [this] { windowActivated = true; });
    }
    return QMainWindow::event(event);
}

void MainForm::rememberPosition() {
    if (!windowActivated ||
        windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    windowTop = twips::wholeTwips(pos().y());
    windowLeft = twips::wholeTwips(pos().x());
}

void MainForm::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    rememberPosition();
}

void MainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    rememberPosition();
}

void MainForm::clientResized() {
    elastic_.rescale(client_->size());
    // A canvas that changed size has lost its drawing, also on a page not shown yet and before
    // the window was first activated.
    const bool lost = canvases.fitPictures();
    if (windowActivated || lost)
        redrawPages();
}

void MainForm::redrawPages() {
    const std::initializer_list<Page*> drawn{list_.get(), trend_.get()};
    for (Page* page : drawn)
        page->drawBackground();
    for (Page* page : drawn)
        page->drawContent();
}

void MainForm::drawAllPages() {
    const std::initializer_list<Page*> pages{list_.get(), trend_.get()};
    for (Page* page : pages)
        page->drawBackground();
    diary_->showCurrentDay();
    for (Page* page : pages)
        page->drawContent();
}

void MainForm::resetPages() {
    for (Page* page : std::initializer_list<Page*>{diary_.get(), list_.get(), trend_.get()})
        page->reset();
}

} // namespace tonolog
