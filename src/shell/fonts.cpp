#include "shell/fonts.h"

#include <QFont>
#include <QStringList>

namespace tonolog {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
}

} // namespace tonolog
