// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace tonolog {

// What the file commands set before a file dialog is shown.
struct FileDialogRequest {
    QString title;           // "Open", "Save as"
    QString initialDir;      // the document's directory
    QString initialFileName; // the name proposed
    QString defaultSuffix;   // added to a chosen name that has none: "tnl"
    // Entries as "Description|pattern" pairs joined by "|":
    // "TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*"
    QString filter;
    int filterIndex = 1;             // 1-based, as the filter text counts its entries
    bool fileMustExist = false;      // Open
    bool askBeforeOverwrite = false; // Save as
};

struct FileDialogResult {
    bool accepted = false; // false: cancelled, or the dialog could not appear
    QString fullPath;      // the chosen file with its directory
    QString fileName;      // the chosen file's name without its directory
};

// The progress of a long task as the person sees it, with a button to cancel it. It closes when
// destroyed.
class ProgressMonitor {
public:
    virtual ~ProgressMonitor() = default;
    // How far the task has come, 0..total; false once the person has cancelled it.
    virtual bool advance(int done) = 0;
};

// The standard dialogs: file open and save, printer selection, progress, the help viewer.
class DialogService {
public:
    virtual ~DialogService() = default;
    virtual FileDialogResult showOpen(const FileDialogRequest& request) = 0;
    virtual FileDialogResult showSave(const FileDialogRequest& request) = 0;
    // The printer dialog, with printing to a PDF file but no page range and no selection. Printing
    // to a file proposes `proposedFile` when the printer names no file yet. Returns false when
    // cancelled or when it cannot be shown.
    virtual bool showPrinter(QPrinter& printer, const QString& proposedFile = QString()) = 0;
    // A progress dialog for a task of `total` steps; it appears only when the task takes a while.
    virtual std::unique_ptr<ProgressMonitor> showProgress(const QString& label, int total) = 0;
    // Hands the help file to the help viewer on its contents (command 15) or on its keyword index
    // (command 261) and returns at once.
    virtual void showHelp(const QString& helpFile, int command) = 0;
};

} // namespace tonolog
