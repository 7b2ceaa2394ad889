// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QObject>
#include <QPrinter>

#include <functional>
#include <memory>

class QWidget;

namespace tonolog {

class DialogService;
class Document;
class ImageButton;
class Label;
class MessageBoxService;
class PrinterSurface;
struct PagePalette;

// What the trend print asks of the main window.
class PrintHost {
public:
    // The client area, printed as the page.
    virtual QWidget& clientArea() = 0;
    // The window's and the tab control's background.
    virtual void setBackgrounds(const QColor& color) = 0;

protected:
    ~PrintHost() = default;
};

// A print button: the picture and the caption over it, which acts as part of it.
struct PrintButton {
    ImageButton* image = nullptr;
    Label* caption = nullptr;
};

// Printing prints the page in front after the printer dialog: the List page as a list of seven
// days painted from the diary, the Trend page as the window's client area, its drawings as lines
// and shapes rather than pictures. Neither touches the window's size or state.
class PagePrinting : public QObject {
    Q_OBJECT
public:
    using SurfaceFactory = std::function<std::unique_ptr<PrinterSurface>(QPrinter&)>;

    PagePrinting(const Document& document, PrintButton listButton, PrintButton trendButton,
                 const PagePalette& palette, DialogService& dialogs, MessageBoxService& messages,
                 PrintHost& host, QString documentsDir, QObject* parent = nullptr);
    ~PagePrinting() override;

    // File > Print: page 1 the list, page 2 the trend, the Diary page nothing.
    void printCurrentPage(int page);
    // The printer dialog; false when it was cancelled or could not be shown.
    // The printer dialog for a print of this title, which print queues show and a printed file
    // is named after.
    bool selectPrinter(const QString& title);
    QString listTitle() const;
    QString trendTitle() const;
    void printList();
    void printTrend();
    // The list page on the surface; false when it did not reach the printer.
    bool renderListPage(PrinterSurface& surface);

    // The printer of the next print: each print has a fresh one, so that nothing a failed print
    // left in it spoils the next.
    QPrinter& printer() { return *printer_; }
    // Tests print onto a surface of their own; the real one paints on the printer.
    void setSurfaceFactory(SurfaceFactory factory) { surfaces_ = std::move(factory); }

private:
    void connectPrintButton(const PrintButton& button, void (PagePrinting::*print)(),
                            QString (PagePrinting::*title)() const);
    // After a print: a fresh printer, on the printer the user chose.
    void renewPrinter();
    // A page that did not reach the printer is said so.
    void reportIfFailed(bool printed, const PrinterSurface& surface);

    const Document& document_;
    const PagePalette& palette_;
    DialogService& dialogs_;
    MessageBoxService& messages_;
    PrintHost& host_;
    QString documentsDir_;
    std::unique_ptr<QPrinter> printer_;
    SurfaceFactory surfaces_;
};

} // namespace tonolog
