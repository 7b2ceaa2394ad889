// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_dialog_service.h"

#include <QFileInfo>
#include <QPrinter>

namespace tonolog {

void FakeDialogService::queueChosenFile(const QString& fullPath) {
    FileDialogResult result;
    result.accepted = true;
    result.fullPath = fullPath;
    result.fileName = QFileInfo(fullPath).fileName();
    fileAnswers_.push_back(result);
}

FileDialogResult FakeDialogService::answerFile(FileDialogKind kind, const FileDialogRequest& request) {
    fileAsked_.push_back(FileDialogAsked{kind, request});
    if (fileAnswers_.empty())
        return FileDialogResult{};
    const FileDialogResult answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    return answer;
}

FileDialogResult FakeDialogService::showOpen(const FileDialogRequest& request) {
    return answerFile(FileDialogKind::Open, request);
}

FileDialogResult FakeDialogService::showSave(const FileDialogRequest& request) {
    return answerFile(FileDialogKind::Save, request);
}

void FakeDialogService::queuePrinterToFile(const QString& pdfPath) {
    printerAnswers_.push_back(true);
    printerFiles_.push_back(pdfPath);
}

bool FakeDialogService::showPrinter(QPrinter& printer, const QString& proposedFile) {
    ++printerAsked_;
    lastPrintTitle_ = printer.docName();
    lastProposedFile_ = proposedFile;
    if (printerAnswers_.empty())
        return false;
    const bool answer = printerAnswers_.front();
    printerAnswers_.pop_front();
    if (answer && !printerFiles_.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerFiles_.front());
        printerFiles_.pop_front();
    }
    return answer;
}

namespace {

class FakeProgress : public ProgressMonitor {
public:
    FakeProgress(FakeDialogService::ProgressAsked& asked, int cancelAt)
        : asked_(asked), cancelAt_(cancelAt) {}
    bool advance(int done) override {
        asked_.reached = done;
        return cancelAt_ < 0 || done < cancelAt_;
    }

private:
    FakeDialogService::ProgressAsked& asked_;
    int cancelAt_;
};

} // namespace

std::unique_ptr<ProgressMonitor> FakeDialogService::showProgress(const QString& label, int total) {
    progressAsked_.push_back(ProgressAsked{label, total, -1});
    const int cancelAt = cancelAt_;
    cancelAt_ = -1;
    return std::make_unique<FakeProgress>(progressAsked_.back(), cancelAt);
}

void FakeDialogService::showHelp(const QString& helpFile, int command) {
    helpAsked_.push_back(HelpAsked{helpFile, command});
}

void FakeDialogService::forget() {
    fileAsked_.clear();
    printerAsked_ = 0;
    helpAsked_.clear();
}

} // namespace tonolog
