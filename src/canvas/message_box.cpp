#include "canvas/message_box.h"

#include "document/messages.h"
#include "platform/message_box_service.h"

namespace tonolog {

std::int16_t showMessage(MessageBoxService& service, const QString& text, int buttons, int icon) {
    MessageRequest request;
    request.title = QString::fromUtf8(text::programTitle);
    request.text = text;
    request.buttons =
        buttons >= 0 && buttons <= 5 ? static_cast<MessageButtons>(buttons) : MessageButtons::Ok;
    switch (icon) {
    case 0:
        request.icon = MessageIcon::Stop;
        break;
    case 1:
        request.icon = MessageIcon::Question;
        break;
    case 2:
        request.icon = MessageIcon::Exclamation;
        break;
    case 3:
        request.icon = MessageIcon::Information;
        break;
    default:
        request.icon = MessageIcon::None;
        break;
    }
    return static_cast<std::int16_t>(service.ask(request));
}

} // namespace tonolog
