#include "canvas/message_box.h"

#include "document/messages.h"
#include "platform/message_box_service.h"

namespace tonolog {

std::int16_t showMessage(MessageBoxService& service, const QString& text, int buttons, int icon) {
    MessageRequest request;
    request.title = QString::fromUtf8(text::programTitle);
    request.text = text;
    request.buttons = buttons >= box::ok && buttons <= box::retryCancel ? static_cast<MessageButtons>(buttons)
                                                                        : MessageButtons::Ok;
    switch (icon) {
    case box::stop:
        request.icon = MessageIcon::Stop;
        break;
    case box::question:
        request.icon = MessageIcon::Question;
        break;
    case box::exclamation:
        request.icon = MessageIcon::Exclamation;
        break;
    case box::information:
        request.icon = MessageIcon::Information;
        break;
    default:
        request.icon = MessageIcon::None;
        break;
    }
    return static_cast<std::int16_t>(service.ask(request));
}

} // namespace tonolog
