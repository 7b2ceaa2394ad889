#include "support/fake_dialog_service.h"

#include <QFileInfo>

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

bool FakeDialogService::showPrinter(QPrinter& /*printer*/) {
    ++printerAsked_;
    if (printerAnswers_.empty())
        return false;
    const bool answer = printerAnswers_.front();
    printerAnswers_.pop_front();
    return answer;
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
