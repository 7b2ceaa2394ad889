// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

MessageResult resultOf(QMessageBox::StandardButton button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    case QMessageBox::Abort:
        return MessageResult::Abort;
    case QMessageBox::Retry:
        return MessageResult::Retry;
    case QMessageBox::Ignore:
        return MessageResult::Ignore;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    default:
        break;
    }
    // Closed without a button (the window's close box): the answer that changes nothing.
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageResult::Ok;
    case MessageButtons::YesNo:
        return MessageResult::No;
    case MessageButtons::AbortRetryIgnore:
        return MessageResult::Abort;
    default:
        return MessageResult::Cancel;
    }
}

} // namespace

MessageResult QtMessageBoxService::ask(const MessageRequest& request) {
    QString text = request.text;
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
