#include "print/page_printing.h"

#include "canvas/busy_pointer.h"
#include "canvas/controls.h"
#include "canvas/message_box.h"
#include "canvas/page_palette.h"
#include "platform/dialog_service.h"
#include "platform/qt_printer_surface.h"
#include "platform/words.h"

#include <QWidget>

namespace tonolog {

PagePrinting::PagePrinting(const Document& document, PrintButton listButton, PrintButton trendButton,
                           const PagePalette& palette, DialogService& dialogs, MessageBoxService& messages,
                           PrintHost& host, QObject* parent)
    : QObject(parent), document_(document), palette_(palette), dialogs_(dialogs), messages_(messages),
      host_(host), surfaces_([](QPrinter& printer) { return std::make_unique<QtPrinterSurface>(printer); }) {
    connectPrintButton(listButton, &PagePrinting::printList);
    connectPrintButton(trendButton, &PagePrinting::printTrend);
}

PagePrinting::~PagePrinting() = default;

// The caption over the image acts as part of it: a press on either shows the pressed picture, and
// the release, wherever the pointer then is, shows the up picture and asks for the printer.
void PagePrinting::connectPrintButton(const PrintButton& button, void (PagePrinting::*print)()) {
    ImageButton* image = button.image;
    auto press = [image] { image->showPressedPicture(true); };
    auto release = [this, image, print] {
        image->showPressedPicture(false);
        if (selectPrinter())
            (this->*print)();
    };
    connect(image, &ImageButton::pressed, this, press);
    connect(image, &ImageButton::released, this, release);
    connect(button.caption, &Label::clicked, this, press);
    connect(button.caption, &Label::released, this, release);
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

void PagePrinting::printTrend() {
    const BusyPointer busy;
    const std::unique_ptr<PrinterSurface> surface = surfaces_(printer_);
    surface->setOrientation(PrinterSurface::landscape);
    // The page's ground is white: the window's grey is not paper's.
    host_.setBackgrounds(palette_.paletteWhite);
    const bool printed = surface->printWindow(host_.clientArea());
    host_.setBackgrounds(palette_.paletteGrey);
    reportIfFailed(printed);
}

void PagePrinting::reportIfFailed(bool printed) {
    if (printed)
        return;
    QString text = Tonolog::tr("The page could not be printed.");
    if (!printer_.outputFileName().isEmpty())
        text += Tonolog::tr("\nThe file cannot be written: ") + printer_.outputFileName();
    showMessage(messages_, text, MessageButtons::Ok, MessageIcon::Exclamation);
}

} // namespace tonolog
