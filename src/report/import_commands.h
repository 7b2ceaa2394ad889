// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt first: moc cannot read the C++20 library headers that the core's headers bring in unless
// Qt's own headers have brought them in before.
#include <QObject>
#include <QPointer>
#include <QString>

#include "document/import_merge.h"

#include <functional>
#include <optional>

class QWidget;

namespace tonolog {

class DialogService;
class Document;
class ImportDialog;
class MessageBoxService;

// The machine's local day and time of an instant (seconds since 1970 UTC).
LocalDateTime machineLocalTime(std::int64_t utcSeconds);

// A file's readings as read, with how a CSV file was read, so that its columns can be chosen anew.
struct ImportFile {
    QString path;
    ReadingsRead read;
    CsvRows rows;                    // a CSV file's rows
    std::optional<CsvLayout> layout; // a CSV file's layout; none for Apple Health
};

// Readings > Import readings...: the file dialog, the file read and recognised, the import dialog
// with its preview, then the readings put into the diary as one change and a summary.
class ImportCommands : public QObject {
    Q_OBJECT
public:
    // takeImport puts a plan into the diary (the window redraws and backs it up); false when it
    // could not.
    ImportCommands(const Document& document, DialogService& dialogs, MessageBoxService& messages,
                   QWidget& window, QString documentsDir, std::function<bool(const ImportPlan&)> takeImport,
                   QObject* parent = nullptr);
    ~ImportCommands() override;

    // The file dialog, then the import dialog over the window (it does not block). Nothing when
    // the file is cancelled or cannot be read (a message says why).
    ImportDialog* importReadings();
    // Reads a chosen file; a message says why when it cannot be read or is cancelled.
    std::optional<ImportFile> readFile(const QString& path);
    // What importing would do to the diary now.
    ImportPlan plan(const ReadingsRead& read) const;
    // Imports the readings and sums up what was done in one message. True when the diary took them.
    bool importNow(const ReadingsRead& read);

private:
    std::optional<ImportFile> readWholeFile(const QString& path);
    void cannotRead(const QString& path, const QString& why);

    const Document& document_;
    DialogService& dialogs_;
    MessageBoxService& messages_;
    QWidget& window_;
    QString documentsDir_;
    std::function<bool(const ImportPlan&)> takeImport_;
    QPointer<ImportDialog> dialog_;
};

} // namespace tonolog
