#include "platform/words.h"

#include "document/words.h"

namespace tonolog {

void translateCoreTexts() {
    setTextTranslator([](const char* text) { return Tonolog::tr(text).toStdString(); });
}

} // namespace tonolog
