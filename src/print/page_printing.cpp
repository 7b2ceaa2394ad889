#include "print/page_printing.h"

#include "canvas/busy_pointer.h"
#include "canvas/canvas.h"
#include "canvas/canvas_set.h"
#include "canvas/controls.h"
#include "canvas/message_box.h"
#include "canvas/page_palette.h"
#include "canvas/twips.h"
#include "listpage/list_controls.h"
#include "platform/dialog_service.h"
#include "platform/qt_printer_surface.h"
#include "print/print_layout.h"
#include "trend/trend_controls.h"

#include <QApplication>
#include <QWidget>

namespace tonolog {

namespace {

// Lets a change of the window's state or size reach its resize handling (the rescaling and the
// redraw of the pages) before the print goes on; the user's input waits.
void settle() {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

constexpr int boundWidth = 14666;
constexpr int boundHeight = 11000;

} // namespace

PagePrinting::PagePrinting(Document& document, ListControls& list, TrendControls& trend, CanvasSet& canvases,
                           const PagePalette& palette, DialogService& dialogs, MessageBoxService& messages,
                           PrintHost& host, QObject* parent)
    : QObject(parent), document_(document), list_(list), trend_(trend), canvases_(canvases),
      palette_(palette), dialogs_(dialogs), messages_(messages), host_(host),
      surfaces_([](QPrinter& printer) { return std::make_unique<QtPrinterSurface>(printer); }) {
    connectPrintButton(list_.ImgListPrint, list_.LblListPrint, &PagePrinting::printList);
    connectPrintButton(trend_.ImgTrendPrint, trend_.LblTrendPrint, &PagePrinting::printTrend);
}

PagePrinting::~PagePrinting() = default;

// The caption over the image acts as part of it: a press on either shows the pressed picture, and
// the release, wherever the pointer then is, shows the up picture and asks for the printer.
void PagePrinting::connectPrintButton(ImageButton* image, Label* caption, void (PagePrinting::*print)()) {
    auto press = [image] { image->showPressedPicture(true); };
    auto release = [this, image, print] {
        image->showPressedPicture(false);
        if (selectPrinter())
            (this->*print)();
    };
    connect(image, &ImageButton::pressed, this, press);
    connect(image, &ImageButton::released, this, release);
    connect(caption, &Label::clicked, this, press);
    connect(caption, &Label::released, this, release);
}

void PagePrinting::printCurrentPage(int page) {
    if (page != 1 && page != 2)
        return;
    if (!selectPrinter())
        return;
    if (page == 1)
        printList();
    else
        printTrend();
}

bool PagePrinting::selectPrinter() {
    return dialogs_.showPrinter(printer_);
}

PrintDlg& PagePrinting::printLayout() {
    if (layout_ == nullptr) {
        layout_ = std::make_unique<PrintDlg>();
        layout_->setWindowIcon(host_.window().windowIcon());
        canvases_.setCanvas(CanvasSet::printRows, layout_->PicViewArea);
        canvases_.setCanvas(CanvasSet::printChart, layout_->PicGraphArea);
    }
    return *layout_;
}

void PagePrinting::printTrend() {
    const BusyPointer busy;
    QWidget& window = host_.window();
    const Qt::WindowStates state = window.windowState();
    // A maximised window prints at its normal size, bounded; its normal size is given back.
    window.setWindowState(Qt::WindowNoState);
    settle();
    const QSize normalSize = window.size();
    const bool tooBig = twips::wholeTwips(normalSize.width()) > boundWidth ||
                        twips::wholeTwips(normalSize.height()) > boundHeight;
    if (tooBig) {
        window.resize(twips::toPixels(boundWidth), twips::toPixels(boundHeight));
        settle();
    }
    // The trend canvases keep their drawings as pictures, so the window's picture holds them.

    const std::unique_ptr<PrinterSurface> surface = surfaces_(printer_);
    surface->setOrientation(PrinterSurface::landscape);
    host_.setBackgrounds(palette_.paletteWhite);
    const bool printed = surface->printWindow(host_.clientArea());
    host_.setBackgrounds(palette_.paletteGrey);

    if (tooBig)
        window.resize(normalSize);
    window.setWindowState(state);
    settle();
    reportIfFailed(printed);
}

void PagePrinting::reportIfFailed(bool printed) {
    if (printed)
        return;
    QString text = QStringLiteral("The page could not be printed.");
    if (!printer_.outputFileName().isEmpty())
        text += QStringLiteral("\nThe file cannot be written: ") + printer_.outputFileName();
    showMessage(messages_, text, MessageButtons::Ok, MessageIcon::Exclamation);
}

} // namespace tonolog
