#include "ControlFactory.h"

#include "ControlTable.h"
#include "FieldCatalogue.h"
#include "LinkLabel.h"
#include "PictureButton.h"
#include "Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QColor panelColour(0, 0, 192);
constexpr QPoint handHotSpot(1, 3);

// The window was drawn for MS Sans Serif; where it is missing, a narrow
// Cyrillic face keeps every caption within its label.
QFont formFont(QFont::Weight weight)
{
    QFont font;
    font.setFamilies({u"MS Sans Serif"_s, u"Liberation Sans Narrow"_s});
    font.setPointSizeF(8.25);
    font.setWeight(weight);
    return font;
}

const CatalogueField *catalogueField(const ControlSpec &spec)
{
    return FieldCatalogue::field(spec.name);
}

QString captionOf(const ControlSpec &spec)
{
    const CatalogueField *field = catalogueField(spec);
    return field ? field->caption : spec.caption.toString();
}

// Screen readers announce an input by the caption in front of it.
QString accessibleNameOf(const ControlSpec &spec)
{
    for (const CatalogueRow &row : FieldCatalogue::rows()) {
        for (const CatalogueField &field : row.fields) {
            if (field.input == spec.name) {
                const QString &caption
                    = field.label.isEmpty() ? row.fields.first().caption : field.caption;
                return caption.simplified();
            }
        }
    }
    return {};
}

} // namespace

ControlFactory::ControlFactory()
    : m_bold(formFont(QFont::Bold))
    , m_regular(formFont(QFont::Normal))
    , m_hand(QPixmap(u":/pictures/hand.xpm"_s), handHotSpot.x(), handHotSpot.y())
{
}

QWidget *ControlFactory::create(const ControlSpec &spec, QWidget *container) const
{
    QWidget *control = nullptr;
    switch (spec.kind) {
    case ControlKind::Label:
    case ControlKind::LinkLabel:
        control = createLabel(spec, container);
        break;
    case ControlKind::TextBox:
        control = createTextBox(spec, container);
        break;
    case ControlKind::ComboBox:
        control = createComboBox(spec, container);
        break;
    case ControlKind::PictureButton:
        control = createButton(spec, container);
        break;
    case ControlKind::Panel:
        control = createPanel(container);
        break;
    case ControlKind::Option:
        control = createOption(spec, container);
        break;
    }
    control->setObjectName(spec.name.toString());
    control->setGeometry(Twips::toPixels(spec.left, spec.top, spec.width, spec.height));
    control->setFont(font(spec.bold));
    if (!spec.toolTip.isEmpty())
        control->setToolTip(spec.toolTip.toString());
    return control;
}

QWidget *ControlFactory::createLabel(const ControlSpec &spec, QWidget *container) const
{
    QLabel *label = nullptr;
    if (spec.kind == ControlKind::LinkLabel) {
        label = new LinkLabel(container);
        label->setCursor(m_hand);
    } else {
        label = new QLabel(container);
    }
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setPalette(faced(spec.face));
    label->setText(captionOf(spec));
    return label;
}

QWidget *ControlFactory::createTextBox(const ControlSpec &spec, QWidget *container) const
{
    auto *textBox = new QLineEdit(container);
    textBox->setMaxLength(std::numeric_limits<int>::max());
    textBox->setText(spec.caption.toString());
    textBox->setAccessibleName(accessibleNameOf(spec));
    return textBox;
}

QWidget *ControlFactory::createComboBox(const ControlSpec &spec, QWidget *container) const
{
    const CatalogueField *field = catalogueField(spec);
    auto *combo = new QComboBox(container);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(field->items);
    combo->setCurrentIndex(static_cast<int>(field->items.indexOf(field->defaultText)));
    combo->setEditText(field->defaultText);
    // Without a completer the combo matches typed text to its items ignoring
    // case and rewrites it on Enter or focus loss; an empty case-sensitive
    // completer keeps the value exactly as typed and completes nothing.
    auto *completer = new QCompleter(QStringList(), combo);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    combo->setCompleter(completer);
    combo->setAccessibleName(accessibleNameOf(spec));
    return combo;
}

QWidget *ControlFactory::createButton(const ControlSpec &spec, QWidget *container) const
{
    auto *button = new PictureButton(spec.caption.toString(), container);
    button->setPicture(QPixmap(spec.picture.toString()));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setPalette(faced(spec.face));
    return button;
}

QWidget *ControlFactory::createPanel(QWidget *container) const
{
    auto *panel = new QGroupBox(container);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, panelColour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

QWidget *ControlFactory::createOption(const ControlSpec &spec, QWidget *container) const
{
    auto *option = new QRadioButton(spec.caption.toString(), container);
    option->setAutoFillBackground(true);
    option->setPalette(faced(spec.face));
    return option;
}

// Light text on a face of the given system colour, as the window's labels,
// options and buttons show it.
QPalette ControlFactory::faced(QPalette::ColorRole face) const
{
    QPalette palette = QApplication::palette();
    const QColor faceColour = palette.color(face);
    const QColor textColour = palette.color(QPalette::HighlightedText);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, faceColour);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, textColour);
    return palette;
}
