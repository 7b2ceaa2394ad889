// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/words.h"

#include "document/words.h"

namespace tonolog {

void translateCoreTexts() {
    setTextTranslator([](const char* text) { return Tonolog::tr(text).toStdString(); });
}

} // namespace tonolog
