// Font substitutes: the Liberation fonts share the advance widths of the
// fonts the layout was designed with; Symbol only needs Greek letters.
#include "base/Fonts.h"

#include <QFont>
#include <QStringList>

namespace korvanu {

void InstallFontSubstitutes() {
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Arial"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"),
                                                             QStringLiteral("DejaVu Sans Mono")});
  QFont::insertSubstitutions(QStringLiteral("Symbol"), {QStringLiteral("DejaVu Sans")});
}

}  // namespace korvanu
