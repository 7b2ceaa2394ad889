#pragma once

#include "diary/page_palette.h"
#include "document/document.h"
#include "document/reading_table.h"
#include "platform/platform.h"
#include "shell/elastic_layout.h"
#include "shell/main_layout.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>

namespace tonolog {

class ClientArea;
class PressAndHold;
struct FileDialogResult;
class DocumentEvents;
class FormDocumentEvents;

// The main window. It owns the whole state of a run: the document and its variables, the Diary
// page's state, the press-and-hold states, the palette and the window's own variables. The
// routines of each part of the program live in that part's files.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    MainForm(Platform& platform, Locations locations, QWidget* parent = nullptr);
    ~MainForm() override;

    // --- Life of the window ---
    // Reads the window position and the history from the settings and shows the history.
    void initialise();
    // Prepares the document: palette, empty untitled diary, backup recall or command-line file,
    // pictures, drawing. The command line is one optional path, possibly in double quotes.
    void loadWindow(const QString& commandLine);
    // The questions before closing; true when the window may close (settings written, backup
    // deleted).
    bool closeRequest();
    void saveSettings();
    // Brings the window to the front, as a second start of the program asks.
    void bringToFront();

    // --- The document ---
    void resetDocument();
    void updateHistory();
    void showHistoryMenu();
    void updatePageTitles();
    // Writes the table to the backup after a commit (the document stays as it is).
    bool writeBackup();
    // The File menu's commands.
    bool leaveDocumentChecks();
    void newDocument();
    void openDocument();
    void closeDocument();
    void save();
    void saveAs();
    void printPage();
    // Opens the history entry of the File menu item 9, 10 or 11.
    void openHistoryEntry(int menuIndex);
    void onFileMenuItem(int index);
    // The printing of the List and Trend pages.
    void printListPage();
    void printTrendPage();
    std::int16_t showMessage(const QString& text, int buttons, int icon);

    // --- Help and About ---
    // The help file next to the program: the program's directory and "Tonolog.hlp".
    QString helpFilePath() const;
    void onHelpMenuItem(int index);
    void showHelpContents();
    void showHelpIndex();
    void showAbout();
    // Today's date and the current date and time from the platform's clock.
    Date today() const;
    DateTime now() const;

    // --- Pages ---
    void initPalette();
    void showCurrentDay();
    // Runs after every click on the tab strip: refills the Diary page when coming back to it,
    // commits a pending edit and colours the tabs.
    void onTabSwitched();
    // Makes the date the current day and shows it.
    void loadDay(Date date);
    // One step of a day button: -1 Previous day, +1 Next day.
    void stepDay(int direction);
    // Opens the day of row 0..3 of the List page on the Diary page.
    void openDayFromList(int row);
    // The hand pointer over a day label of the List page.
    void showHandOverDayLabel();
    // The page's faults as eight characters, two a word.
    std::string validateEntry();
    std::int16_t countFilledInputs();
    // What happens when a box of the Diary page loses the focus: the commit rule, or the date rule
    // for the date box.
    void leaveBox(QWidget* box);
    // Enter moves the focus on, in the tab order of the readings.
    void enterPressedIn(QWidget* box);
    void openCalendar();
    void takeCalendarDate(const QDate& date);
    void fillCurrentTime(int reading);
    void commitEntry();
    void drawListBackground();
    void drawTrendBackground();
    void DspListTab();
    void DspTrendTab();
    // The four drawing routines in their fixed order.
    void redrawPages();

    Platform& platform() { return platform_; }
    const Locations& locations() const { return locations_; }
    ElasticLayout& elastic() { return elastic_; }
    // What the document core calls around reading and writing files.
    DocumentEvents& documentEvents();

    // --- State ---
    Document document;
    QString historyPath1;
    QString historyPath2;
    QString historyPath3;

    DayRecord currentDay;
    std::int16_t entryChanged = 0;
    std::int16_t entryHasErrors = 0;
    std::array<std::int16_t, 4> lastEntryErrors{};
    std::int16_t lastTab = 0;
    std::int16_t dayButtonState = 0;
    std::int16_t listButtonState = 0;
    std::int16_t trendButtonState = 0;
    std::int16_t labelPointerState = 0;

    std::int32_t windowTop = 600;  // twips
    std::int32_t windowLeft = 600; // twips
    std::int16_t windowActivated = 0;

    // The press-and-hold timing of the Previous day / Next day buttons (state in dayButtonState).
    PressAndHold* dayButtons = nullptr;

    PagePalette colors;
    MainLayout ui;

    // The client area's size in pixels for which every control stands at its design rectangle.
    static QSize designClientPixels();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class ClientArea;
    friend class FormDocumentEvents;
    void clientResized();
    void connectDiaryPage();
    void removeCurrentDayRow(int position);
    void connectFileMenu();
    // Deletes the backup and writes the empty one, as a new document starts.
    void startEmptyBackup();
    // Writes the empty backup; a failure is reported, since changes would then not be kept safe.
    void writeEmptyBackupOrWarn();
    // Opens the named document set in docPath: a fresh backup, then the file.
    void openNamedDocument();
    bool askForName();
    // Commits a pending edit; false when it was rejected.
    bool commitPendingEntry();
    void setDocumentPath(const FileDialogResult& chosen);
    // Writes the named document; a failure is reported and changes nothing.
    bool writeNamedFile();
    void rememberPosition();
    void loadButtonPictures();
    QString textFromStd(const std::string& s) const;

    Platform& platform_;
    Locations locations_;
    ElasticLayout elastic_;
    ClientArea* client_ = nullptr;
    std::unique_ptr<FormDocumentEvents> documentEvents_;
    QString lastOpenedFileName_;
    bool backupFailureShown_ = false;
    QObject* diaryWatcher_ = nullptr;
};

// Text and paths between the window (QString) and the document core (UTF-8 std::string).
std::string toStd(const QString& text);
QString fromStd(const std::string& text);

} // namespace tonolog
