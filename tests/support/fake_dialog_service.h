// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialog_service.h"

#include <deque>
#include <vector>

namespace tonolog {

// A dialog service that answers from queues and remembers every request, so a test can assert the
// title, directory, filter and options a command set, and which help views were asked for.
// With nothing queued a file dialog and the printer dialog are cancelled.
class FakeDialogService : public DialogService {
public:
    enum class FileDialogKind { Open, Save };
    struct FileDialogAsked {
        FileDialogKind kind;
        FileDialogRequest request;
    };
    struct HelpAsked {
        QString helpFile;
        int command;
    };

    // The answer of the next file dialog, open or save, in the order they are shown.
    void queueFileAnswer(const FileDialogResult& result) { fileAnswers_.push_back(result); }
    // The user picks this file (its name is taken from the path).
    void queueChosenFile(const QString& fullPath);
    void queueFileCancel() { fileAnswers_.push_back(FileDialogResult{}); }
    void queuePrinterAnswer(bool accepted) { printerAnswers_.push_back(accepted); }
    // The printer dialog is accepted with "Print to File" chosen, to this PDF file.
    void queuePrinterToFile(const QString& pdfPath);
    // The person presses Cancel on the next progress dialog once it has reached this step.
    void cancelProgressAt(int step) { cancelAt_ = step; }

    FileDialogResult showOpen(const FileDialogRequest& request) override;
    FileDialogResult showSave(const FileDialogRequest& request) override;
    bool showPrinter(QPrinter& printer, const QString& proposedFile = QString()) override;
    // What the last printer dialog was given: the print's title and the file it proposed.
    QString lastPrintTitle() const { return lastPrintTitle_; }
    QString lastProposedFile() const { return lastProposedFile_; }
    std::unique_ptr<ProgressMonitor> showProgress(const QString& label, int total) override;
    void showHelp(const QString& helpFile, int command) override;

    const std::vector<FileDialogAsked>& fileDialogsAsked() const { return fileAsked_; }
    const FileDialogAsked& lastFileDialog() const { return fileAsked_.back(); }
    int fileDialogCount() const { return static_cast<int>(fileAsked_.size()); }
    int printerDialogCount() const { return printerAsked_; }
    // The progress dialogs asked for: their label and total, and the last step each reached.
    struct ProgressAsked {
        QString label;
        int total = 0;
        int reached = -1;
    };
    const std::deque<ProgressAsked>& progressAsked() const { return progressAsked_; }
    const std::vector<HelpAsked>& helpAsked() const { return helpAsked_; }
    int pendingAnswers() const { return static_cast<int>(fileAnswers_.size() + printerAnswers_.size()); }
    void forget();

private:
    FileDialogResult answerFile(FileDialogKind kind, const FileDialogRequest& request);

    std::deque<FileDialogResult> fileAnswers_;
    std::deque<bool> printerAnswers_;
    std::deque<QString> printerFiles_;
    std::deque<ProgressAsked> progressAsked_; // a deque: a monitor keeps a reference to its entry
    int cancelAt_ = -1;
    std::vector<FileDialogAsked> fileAsked_;
    int printerAsked_ = 0;
    QString lastPrintTitle_;
    QString lastProposedFile_;
    std::vector<HelpAsked> helpAsked_;
};

} // namespace tonolog
