// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

namespace tonolog {

// The one context of every text the user sees: Tonolog::tr("...") gives the text in the language of
// the translation installed, or as it is written while none is. The document core marks its own
// texts with QT_TRANSLATE_NOOP("Tonolog", ...), and the window translates them where it shows them.
class Tonolog {
    Q_DECLARE_TR_FUNCTIONS(Tonolog)
};

// Has the document core translate its texts through the translations installed in the
// application (as Tonolog::tr does).
void translateCoreTexts();

} // namespace tonolog
