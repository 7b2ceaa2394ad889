// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_dialog_service.h"

#include "platform/help_viewer.h"
#include "platform/words.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>

namespace tonolog {

namespace {

class QtProgressMonitor : public ProgressMonitor {
public:
    QtProgressMonitor(const QString& label, int total)
        : dialog_(label, Tonolog::tr("Cancel"), 0, std::max(total, 1), QApplication::activeWindow()) {
        dialog_.setWindowTitle(QStringLiteral("Tonolog"));
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(400);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        dialog_.setValue(0);
    }
    bool advance(int done) override {
        // A modal progress dialog delivers the pending events itself, so Cancel is seen here.
        dialog_.setValue(std::min(done, dialog_.maximum()));
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

QString withoutSpaces(QString text) {
    text.remove(QLatin1Char(' '));
    return text;
}

// One "Description|pattern" entry as a Qt name filter: the description's own "(pattern)" suffix is
// replaced by the patterns in the form the dialog reads them.
QString nameFilter(QString description, const QString& pattern) {
    QStringList patterns;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (p.isEmpty())
            continue;
        patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    }
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");

    description = description.trimmed();
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
        const QString shown = description.mid(open + 1, description.size() - open - 2);
        if (withoutSpaces(shown) == withoutSpaces(pattern))
            description = description.left(open).trimmed();
    }
    const QString list = patterns.join(QLatin1Char(' '));
    if (description.isEmpty())
        return QStringLiteral("(%1)").arg(list);
    return QStringLiteral("%1 (%2)").arg(description, list);
}

// The printer dialog without its page range: every print is one page, yet with CUPS Qt shows
// the range (to hand it to the print server) each time the dialog appears, whatever its options.
class PrinterDialog : public QPrintDialog {
public:
    PrinterDialog(QPrinter& printer, QWidget* parent) : QPrintDialog(&printer, parent) {}

    void setVisible(bool visible) override {
        QPrintDialog::setVisible(visible);
        if (!visible)
            return;
        if (auto* range = findChild<QWidget*>(QStringLiteral("gbPrintRange")))
            range->hide();
    }
};

} // namespace

QtDialogService::QtDialogService(HelpViewer* helpViewer) : helpViewer_(helpViewer) {}

QStringList QtDialogService::nameFilters(const QString& filter) {
    QStringList result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    // A description without its pattern (an odd count) is left out, as it matches nothing.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].trimmed().isEmpty() && parts[i + 1].trimmed().isEmpty())
            continue;
        result << nameFilter(parts[i], parts[i + 1]);
    }
    return result;
}

FileDialogResult QtDialogService::showOpen(const FileDialogRequest& request) {
    return showFileDialog(request, Mode::Open);
}

FileDialogResult QtDialogService::showSave(const FileDialogRequest& request) {
    return showFileDialog(request, Mode::Save);
}

FileDialogResult QtDialogService::showFileDialog(const FileDialogRequest& request, Mode mode) {
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    // Qt's own dialog: the same on every desktop, and one the program can count on being modal.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (mode == Mode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askBeforeOverwrite);
        // Before the question about an existing file, so that it asks about the file written.
        dialog.setDefaultSuffix(request.defaultSuffix);
    }

    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index =
            request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex - 1 : 0;
        dialog.selectNameFilter(filters[index]);
    }

    if (!request.initialDir.isEmpty())
        dialog.setDirectory(request.initialDir);
    // A file name with a directory of its own opens that directory instead.
    if (!request.initialFileName.isEmpty())
        dialog.selectFile(request.initialFileName);

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return result;
    result.accepted = true;
    result.fullPath = chosen.first();
    result.fileName = QFileInfo(result.fullPath).fileName();
    return result;
}

bool QtDialogService::showPrinter(QPrinter& printer, const QString& proposedFile) {
    // Printing to a file writes a PDF, which is how a page is saved on Linux, so the dialog is
    // shown also where no printer is installed.
    PrinterDialog dialog(printer, QApplication::activeWindow());
    // Qt proposes the current folder for a printed file; the diary's pages go to Documents.
    if (printer.outputFileName().isEmpty() && !proposedFile.isEmpty()) {
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
            name->setText(proposedFile);
    }
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setWindowModality(Qt::ApplicationModal);
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<ProgressMonitor> QtDialogService::showProgress(const QString& label, int total) {
    return std::make_unique<QtProgressMonitor>(label, total);
}

void QtDialogService::showHelp(const QString& helpFile, int command) {
    if (helpViewer_ != nullptr)
        helpViewer_->show(helpFile, command);
}

} // namespace tonolog
