#include "platform/message_box_service.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tonolog {

namespace {

QMessageBox::StandardButtons standardButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

int resultOf(QMessageBox::StandardButton button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return ResultOk;
    case QMessageBox::Cancel:
        return ResultCancel;
    case QMessageBox::Abort:
        return ResultAbort;
    case QMessageBox::Retry:
        return ResultRetry;
    case QMessageBox::Ignore:
        return ResultIgnore;
    case QMessageBox::Yes:
        return ResultYes;
    case QMessageBox::No:
        return ResultNo;
    default:
        break;
    }
    // Closed without a button (the window's close box): the answer that changes nothing.
    switch (buttons) {
    case MessageButtons::Ok:
        return ResultOk;
    case MessageButtons::YesNo:
        return ResultNo;
    case MessageButtons::AbortRetryIgnore:
        return ResultAbort;
    default:
        return ResultCancel;
    }
}

} // namespace

int QtMessageBoxService::ask(const MessageRequest& request) {
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    QMessageBox box(iconOf(request.icon), request.title, text, standardButtons(request.buttons),
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // The first button of the set is the default, as the program's questions expect.
    for (QMessageBox::StandardButton first :
         {QMessageBox::Ok, QMessageBox::Abort, QMessageBox::Yes, QMessageBox::Retry})
        if (box.button(first) != nullptr) {
            box.setDefaultButton(first);
            break;
        }
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return resultOf(box.standardButton(box.clickedButton()), request.buttons);
}

} // namespace tonolog
