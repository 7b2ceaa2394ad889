// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas/canvas_set.h"
#include "canvas/hand_pointer.h"
#include "canvas/page_palette.h"
#include "document/document.h"
#include "platform/platform.h"
#include "shell/elastic_layout.h"
#include "shell/file_commands.h"
#include "shell/main_layout.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>

namespace tonolog {

class ClientArea;
class DiaryPage;
class FileOnDisk;
class HelpCommands;
class ListPage;
class PageLinks;
class PagePrinting;
class ImportCommands;
class ReportCommands;
class TrendPage;

// The main window. It owns the state of a run (the document, the history, the palette, the
// layout and the window's own variables) and the pages, and runs the fixed redraw order through
// them; the pages keep their own state and routines.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    MainForm(Platform& platform, Locations locations, QWidget* parent = nullptr);
    ~MainForm() override;

    // Reads the window position and the history from the settings and shows the history.
    void initialise();
    // Prepares the document: palette, empty untitled diary, backup recall or command-line file,
    // pictures, drawing. The command line is one optional path, possibly in double quotes.
    void loadWindow(const QString& commandLine);
    // The questions before closing; true when the window may close (settings written, backup
    // deleted).
    bool closeRequest();
    // A failure is said, unless quiet.
    void saveSettings(bool quiet = false);
    // Brings the window to the front, as a second start of the program asks.
    void bringToFront();
    // The session manager asks for the window's data before a logout (which may still be
    // cancelled): a valid entry not yet taken in goes into the table and the backup, and the
    // settings are written, without a question.
    void commitSessionData();
    // The session ends (a logout, or a signal to end): the same, and the backup stays for the next
    // start to recall, unless nothing is unsaved. From then on a close asks nothing.
    void endSession();
    bool isEnding() const { return ending_; }

    // The List and Trend pages in their fixed order: both backgrounds, then both contents.
    void redrawPages();
    // Every page, as after a load or a new document: the backgrounds, the Diary page's day, then
    // the List and Trend contents.
    void drawAllPages();
    // Every page forgets its own state, as a new or freshly loaded diary starts.
    void resetPages();

    DiaryPage& diary() { return *diary_; }
    ListPage& list() { return *list_; }
    TrendPage& trend() { return *trend_; }
    PagePrinting& printing() { return *printing_; }
    FileCommands& files() { return *files_; }
    FileOnDisk& disk() { return *disk_; }
    HelpCommands& help() { return *help_; }
    ReportCommands& reports() { return *reports_; }
    ImportCommands& imports() { return *imports_; }
    Platform& platform() { return platform_; }
    // The design table every control is placed and rescaled from.
    const ElasticLayout& layout() const { return elastic_; }
    const Locations& locations() const { return locations_; }

    // The client area's size in pixels for which every control stands at its design rectangle.
    static QSize designClientPixels();

    Document document;
    RecentFiles history;
    PagePalette colors;
    MainLayout ui;
    HandPointer pointer{*this};
    CanvasSet canvases;
    std::int32_t windowTop = 600;  // twips
    std::int32_t windowLeft = 600; // twips
    bool windowActivated = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class ClientArea;
    void clientResized();
    void rememberPosition();

    bool ending_ = false;
    bool loaded_ = false;
    Platform& platform_;
    Locations locations_;
    ElasticLayout elastic_;
    ClientArea* client_ = nullptr;
    std::unique_ptr<PageLinks> links_;
    std::unique_ptr<DiaryPage> diary_;
    std::unique_ptr<ListPage> list_;
    std::unique_ptr<TrendPage> trend_;
    std::unique_ptr<PagePrinting> printing_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<FileOnDisk> disk_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<ReportCommands> reports_;
    std::unique_ptr<ImportCommands> imports_;
};

} // namespace tonolog
