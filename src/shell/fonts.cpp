// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/fonts.h"

#include <QFont>
#include <QStringList>

namespace tonolog {

void installFontSubstitutes() {
    // Liberation Sans keeps about Tahoma's widths, so the texts fit the boxes designed for them.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("VL PGothic")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
}

} // namespace tonolog
