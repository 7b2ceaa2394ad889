#include "shell/main_form.h"
#include "canvas/canvas.h"

#include "canvas/message_box.h"
#include "canvas/twips.h"
#include "diary/press_and_hold.h"
#include "document/data_file.h"
#include "document/messages.h"
#include "platform/clock.h"
#include "platform/settings_store.h"
#include "shell/controls.h"
#include "shell/help_commands.h"
#include "shell/main_tab.h"
#include "shell/resources.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

namespace tonolog {

std::string toStd(const QString& text) {
    return text.toStdString();
}
QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

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

// What the document core asks of the window around reading and writing a file.
class FormDocumentEvents : public DocumentEvents {
public:
    explicit FormDocumentEvents(MainForm& form) : form_(form) {}

    void setBusyPointer(bool busy) override {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    void setCaption(const std::string& caption) override { form_.setWindowTitle(fromStd(caption)); }
    void updateHistory() override { form_.updateHistory(); }
    void showLoadedDiary() override {
        MainForm& f = form_;
        f.ui.diary.InputName->setText(fromStd(f.document.userName));
        f.dayButtonState = f.listButtonState = f.trendButtonState = 0;
        f.entryChanged = 0;
        f.currentDay.date = f.today();
        f.entryHasErrors = 0;
        f.lastEntryErrors = {};
        clearDayReadings(f.currentDay);
        f.ui.diary.InputName->setText(fromStd(f.document.userName));
        f.updatePageTitles();
        f.loadDay(f.currentDay.date);
        f.redrawPages();
    }
    void reportCannotOpen() override { form_.showMessage(QString::fromUtf8(text::cannotOpen), 0, 1); }
    void reportTooManyDays() override { form_.showMessage(QString::fromUtf8(text::tooManyDays), 0, 2); }

private:
    MainForm& form_;
};

QSize MainForm::designClientPixels() {
    return QSize(twips::toPixels(designClientTwips.width()), twips::toPixels(designClientTwips.height()));
}

MainForm::MainForm(Platform& platform, Locations locations, QWidget* parent)
    : QMainWindow(parent), platform_(platform), locations_(std::move(locations)), elastic_(designClientTwips),
      documentEvents_(std::make_unique<FormDocumentEvents>(*this)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromUtf8(text::programTitle));
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSizeF(9);
    setFont(base);
    client_ = new ClientArea(this);
    client_->setObjectName(QStringLiteral("MainFormClient"));
    setCentralWidget(client_);
    elastic_.rescale(designClientPixels());
    ui = buildMainLayout(*this, *client_, elastic_);
    connect(ui.mainTab, &MainTab::tabStripClicked, this, &MainForm::onTabSwitched);
    connectFileMenu();
    connectHelpMenu(*this);
    connectDiaryPage();
}

MainForm::~MainForm() = default;

DocumentEvents& MainForm::documentEvents() {
    return *documentEvents_;
}

std::int16_t MainForm::showMessage(const QString& text, int buttons, int icon) {
    return tonolog::showMessage(platform_.messages, text, buttons, icon);
}

void MainForm::initialise() {
    windowActivated = 0;
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
    historyPath1 = settings.read(QStringLiteral("History"), QStringLiteral("Path1"), QString());
    historyPath2 = settings.read(QStringLiteral("History"), QStringLiteral("Path2"), QString());
    historyPath3 = settings.read(QStringLiteral("History"), QStringLiteral("Path3"), QString());
    showHistoryMenu();
}

void MainForm::loadWindow(const QString& commandLine) {
    initPalette();
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, colors.paletteGrey);
    setPalette(windowPalette);
    client_->setAutoFillBackground(true);
    ui.mainTab->setBackgroundColor(colors.paletteGrey);
    ui.list.PicViewArea->setBackgroundColor(QColor(196, 225, 255));
    ui.mainTab->setCaptionFontName(QStringLiteral("Arial"));
    ui.mainTab->setCurrentPage(0);
    lastTab = 0;
    QRect note = elastic_.designRect(ui.list.PicNoteArea);
    note.moveTop(elastic_.designRect(ui.mainTab->page(1)).height());
    elastic_.setDesignRect(ui.list.PicNoteArea, note);

    move(twips::toPixels(windowLeft), twips::toPixels(windowTop));
    resize(twips::toPixels(windowSizeTwips.width()), twips::toPixels(windowSizeTwips.height()));
    setWindowIcon(iconResource(101));

    resetDocument();
    document.table.clear();

    bool recalled = false;
    if (fileExists(document.backupPath)) {
        const QString question = QStringLiteral("Backup data was kept from the last time.\r\n"
                                                "Would you like to recall data from the backup?");
        if (showMessage(question, 4, 1) == 6) {
            document.isDirty = 1;
            loadFile(document, *documentEvents_, today());
            recalled = true;
        }
    }
    if (!recalled) {
        writeEmptyBackupOrWarn();
        QString path = commandLine;
        if (path.startsWith(QLatin1Char('"')))
            path.remove(0, 1);
        if (path.endsWith(QLatin1Char('"')))
            path.chop(1);
        if (!path.isEmpty()) {
            if (!path.startsWith(QLatin1Char('/')))
                path = QDir::current().absoluteFilePath(path);
            const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
            const QString dir = path.left(slash + 1);
            const QString name = path.mid(slash + 1);
            if (!dir.isEmpty() && !name.isEmpty()) {
                document.docDir = toStd(dir);
                document.docName = toStd(name);
                document.docPath = toStd(path);
                loadFile(document, *documentEvents_, today());
            }
        }
    }

    loadButtonPictures();
    drawListBackground();
    drawTrendBackground();
    showCurrentDay();
    DspListTab();
    DspTrendTab();
    // Typing starts in the first box of the tab order, the owner's name.
    ui.diary.InputName->setFocus(Qt::OtherFocusReason);
}

void MainForm::loadButtonPictures() {
    ui.diary.ImgDiaryUp->setPictures(bitmapResource(1001), bitmapResource(1002));
    ui.diary.ImgDiaryDown->setPictures(bitmapResource(1003), bitmapResource(1004));
    ui.list.ImgListUp->setPictures(bitmapResource(1007), bitmapResource(1008));
    ui.list.ImgListDown->setPictures(bitmapResource(1009), bitmapResource(1010));
    ui.diary.ImgInputDate->setPictures(bitmapResource(1005), bitmapResource(1006));
    for (ImageButton* button : ui.diary.ImgInputTime)
        button->setPictures(bitmapResource(1005), bitmapResource(1006));
    ui.list.ImgListPrint->setPictures(bitmapResource(1011), bitmapResource(1012));
    ui.trend.ImgTrendLeft->setPictures(bitmapResource(1013), bitmapResource(1014));
    ui.trend.ImgTrendRight->setPictures(bitmapResource(1015), bitmapResource(1016));
    ui.trend.ImgTrendPrint->setPictures(bitmapResource(1017), bitmapResource(1018));
    ui.diary.ImgDiaryLogo->setPictures(bitmapResource(1101));
    ui.list.ImgListLogo->setPictures(bitmapResource(1102));
    ui.trend.ImgTrendLogo->setPictures(bitmapResource(1103));
}

bool MainForm::closeRequest() {
    // The same questions as before leaving a document for another one.
    if (!leaveDocumentChecks())
        return false;
    saveSettings();
    deleteFileQuietly(document.backupPath);
    return true;
}

void MainForm::saveSettings() {
    SettingsStore& settings = platform_.settings;
    settings.write(QStringLiteral("FormSize"), QStringLiteral("Top"), QString::number(windowTop));
    settings.write(QStringLiteral("FormSize"), QStringLiteral("Left"), QString::number(windowLeft));
    settings.write(QStringLiteral("History"), QStringLiteral("Path1"), historyPath1);
    settings.write(QStringLiteral("History"), QStringLiteral("Path2"), historyPath2);
    settings.write(QStringLiteral("History"), QStringLiteral("Path3"), historyPath3);
    settings.sync();
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
        if (dayButtons != nullptr)
            dayButtons->cancel();
    }
    if (event->type() == QEvent::WindowActivate && windowActivated == 0)
        windowActivated = 1;
    if (event->type() == QEvent::Show && windowActivated == 0) {
        // Some window systems never activate a window that was not clicked; the first show counts.
        QTimer::singleShot(0, this, [this] { windowActivated = 1; });
    }
    return QMainWindow::event(event);
}

void MainForm::rememberPosition() {
    if (windowActivated == 0 ||
        windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    windowTop = qRound(twips::fromPixels(pos().y()));
    windowLeft = qRound(twips::fromPixels(pos().x()));
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
    if (windowActivated == 1)
        redrawPages();
}

void MainForm::redrawPages() {
    drawListBackground();
    drawTrendBackground();
    DspListTab();
    DspTrendTab();
}

} // namespace tonolog
