// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/page_printing.h"

#include "canvas/busy_pointer.h"
#include "canvas/controls.h"
#include "canvas/message_box.h"
#include "canvas/page_palette.h"
#include "canvas/text.h"
#include "document/document.h"
#include "document/list_rows.h"
#include "platform/dialog_service.h"
#include "platform/qt_printer_surface.h"
#include "platform/words.h"

#include <QWidget>

namespace tonolog {

PagePrinting::PagePrinting(const Document& document, PrintButton listButton, PrintButton trendButton,
                           const PagePalette& palette, DialogService& dialogs, MessageBoxService& messages,
                           PrintHost& host, QString documentsDir, QObject* parent)
    : QObject(parent), document_(document), palette_(palette), dialogs_(dialogs), messages_(messages),
      host_(host), documentsDir_(std::move(documentsDir)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      surfaces_([](QPrinter& printer) { return std::make_unique<QtPrinterSurface>(printer); }) {
    connectPrintButton(listButton, &PagePrinting::printList, &PagePrinting::listTitle);
    connectPrintButton(trendButton, &PagePrinting::printTrend, &PagePrinting::trendTitle);
}

PagePrinting::~PagePrinting() = default;

// The caption over the image acts as part of it: a press on either shows the pressed picture, and
// the release, wherever the pointer then is, shows the up picture and asks for the printer.
void PagePrinting::connectPrintButton(const PrintButton& button, void (PagePrinting::*print)(),
                                      QString (PagePrinting::*title)() const) {
    ImageButton* image = button.image;
    auto press = [image] { image->showPressedPicture(true); };
    auto release = [this, image, print, title] {
        image->showPressedPicture(false);
        if (selectPrinter((this->*title)()))
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
    if (!selectPrinter(page == 1 ? listTitle() : trendTitle()))
        return;
    if (page == 1)
        printList();
    else
        printTrend();
}

bool PagePrinting::selectPrinter(const QString& title) {
    printer_->setDocName(title);
    return dialogs_.showPrinter(*printer_, documentsDir_ + QLatin1Char('/') + title + QStringLiteral(".pdf"));
}

QString PagePrinting::trendTitle() const {
    return fromStd(trendPrintTitle(document_.userName(), document_.trendWindowStart()));
}

void PagePrinting::renewPrinter() {
    auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printer_->outputFormat() == QPrinter::NativeFormat)
        fresh->setPrinterName(printer_->printerName());
    printer_ = std::move(fresh);
}

void PagePrinting::printTrend() {
    bool printed = false;
    std::unique_ptr<PrinterSurface> surface;
    {
        const BusyPointer busy;
        surface = surfaces_(*printer_);
        surface->setOrientation(PrinterSurface::landscape);
        // The page's ground is white: the window's grey is not paper's.
        host_.setBackgrounds(palette_.paletteWhite);
        printed = surface->printWindow(host_.clientArea());
        host_.setBackgrounds(palette_.paletteGrey);
    }
    reportIfFailed(printed, *surface);
}

void PagePrinting::reportIfFailed(bool printed, const PrinterSurface& surface) {
    const QString file = printer_->outputFileName();
    renewPrinter();
    if (printed)
        return;
    QString text = Tonolog::tr("The page could not be printed.");
    if (!file.isEmpty())
        text += QLatin1Char('\n') + file;
    if (!surface.failureReason().isEmpty())
        text += QLatin1Char('\n') + surface.failureReason();
    showMessage(messages_, text, MessageButtons::Ok, MessageIcon::Exclamation);
}

} // namespace tonolog
