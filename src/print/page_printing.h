#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QObject>
#include <QPrinter>

#include <functional>
#include <memory>

class QWidget;

namespace tonolog {

class CanvasSet;
class DialogService;
class ImageButton;
class Label;
class MessageBoxService;
class PrintDlg;
class PrinterSurface;
class Document;
struct ListControls;
struct PagePalette;
struct TrendControls;

// What the trend print asks of the main window.
class PrintHost {
public:
    // The window, whose state and size the print changes and gives back.
    virtual QWidget& window() = 0;
    // The client area, printed as the page.
    virtual QWidget& clientArea() = 0;
    // The window's and the tab control's background.
    virtual void setBackgrounds(const QColor& color) = 0;

protected:
    ~PrintHost() = default;
};

// Printing prints the page in front after the printer dialog: the List page as a laid-out list
// of seven days, the Trend page as a picture of the window.
class PagePrinting : public QObject {
    Q_OBJECT
public:
    using SurfaceFactory = std::function<std::unique_ptr<PrinterSurface>(QPrinter&)>;

    PagePrinting(Document& document, ListControls& list, TrendControls& trend, CanvasSet& canvases,
                 const PagePalette& palette, DialogService& dialogs, MessageBoxService& messages,
                 PrintHost& host, QObject* parent = nullptr);
    ~PagePrinting() override;

    // File > Print: page 1 the list, page 2 the trend, the Diary page nothing.
    void printCurrentPage(int page);
    // The printer dialog; false when it was cancelled or could not be shown.
    bool selectPrinter();
    void printList();
    void printTrend();

    // The three steps of the list print.
    void drawPrintScale();
    void DspPrintDlg();
    void renderListPage(PrinterSurface& surface);

    // The print layout, made the first time it is needed.
    PrintDlg& printLayout();
    QPrinter& printer() { return printer_; }
    // Tests print onto a surface of their own; the real one paints on the printer.
    void setSurfaceFactory(SurfaceFactory factory) { surfaces_ = std::move(factory); }

private:
    void connectPrintButton(ImageButton* image, Label* caption, void (PagePrinting::*print)());
    void showPrintRow(bool visible, int row);
    // A page that did not reach the printer is said so.
    void reportIfFailed(bool printed);

    Document& document_;
    ListControls& list_;
    TrendControls& trend_;
    CanvasSet& canvases_;
    const PagePalette& palette_;
    DialogService& dialogs_;
    MessageBoxService& messages_;
    PrintHost& host_;
    QPrinter printer_{QPrinter::HighResolution};
    SurfaceFactory surfaces_;
    std::unique_ptr<PrintDlg> layout_;
    bool listPrinted_ = true;
};

} // namespace tonolog
