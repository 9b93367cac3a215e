#include "FormFont.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

// The window was drawn for MS Sans Serif; where it is missing, a narrow
// Cyrillic face keeps every caption within its label. Unhinted, the captions
// look as with the desktop's usual slight hinting but are drawn without the
// autohinter's pass over every glyph; unshaped, they are set glyph by glyph,
// without kerning, instead of through the text shaper. Both passes were
// among the larger costs of start-up.
QFont formFont(QFont::Weight weight)
{
    QFont font;
    font.setFamilies({u"MS Sans Serif"_s, u"Liberation Sans Narrow"_s});
    font.setPointSizeF(8.25);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
