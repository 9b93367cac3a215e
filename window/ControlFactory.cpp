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
    , m_hand(Pictures::pixmap(Picture::Hand), handHotSpot.x(), handHotSpot.y())
    , m_buttonFace(faced(QPalette::ButtonText))
    , m_windowTextFace(faced(QPalette::WindowText))
{
}

QWidget *ControlFactory::create(const ControlSpec &spec, QWidget *container) const
{
    switch (spec.kind) {
    case ControlKind::Label:
        return createLabel(spec, place(new QLabel(container), spec));
    case ControlKind::LinkLabel: {
        auto *link = place(new LinkLabel(container), spec);
        link->setCursor(m_hand);
        return createLabel(spec, link);
    }
    case ControlKind::TextBox:
        return createTextBox(spec, place(new QLineEdit(container), spec));
    case ControlKind::ComboBox:
        return createComboBox(spec, place(new QComboBox(container), spec));
    case ControlKind::PictureButton:
        return createButton(spec, place(new PictureButton(container), spec));
    case ControlKind::Panel:
        return createPanel(place(new QGroupBox(container), spec));
    case ControlKind::Option:
        return createOption(spec, place(new QRadioButton(container), spec));
    }
    return nullptr;
}

// Name, place and font come first, so the control lays out its text once.
// A control takes its container's font unless its own differs.
template<typename Control>
Control *ControlFactory::place(Control *control, const ControlSpec &spec) const
{
    control->setObjectName(spec.name.toString());
    control->setGeometry(Twips::toPixels(spec.left, spec.top, spec.width, spec.height));
    if (control->font() != font(spec.bold))
        control->setFont(font(spec.bold));
    if (!spec.toolTip.isEmpty())
        control->setToolTip(spec.toolTip.toString());
    return control;
}

QWidget *ControlFactory::createLabel(const ControlSpec &spec, QLabel *label) const
{
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setPalette(face(spec));
    label->setText(captionOf(spec));
    return label;
}

QWidget *ControlFactory::createTextBox(const ControlSpec &spec, QLineEdit *textBox) const
{
    textBox->setMaxLength(std::numeric_limits<int>::max());
    if (!spec.caption.isEmpty())
        textBox->setText(spec.caption.toString());
    textBox->setAccessibleName(accessibleNameOf(spec));
    return textBox;
}

QWidget *ControlFactory::createComboBox(const ControlSpec &spec, QComboBox *combo) const
{
    // The list and the default go in before the combo becomes editable, so
    // its line edit lays out one text only.
    const CatalogueField *entry = catalogueField(spec);
    combo->addItems(entry->items);
    combo->setCurrentIndex(static_cast<int>(entry->items.indexOf(entry->defaultText)));

    // Without a completer the combo matches typed text to its items ignoring
    // case and rewrites it on Enter or focus loss. A case-sensitive completer
    // without a model keeps the value exactly as typed and completes nothing;
    // set before the line edit joins the combo, it also spares the combo its
    // own inline-completing one.
    auto *field = new QLineEdit(combo);
    auto *completer = new QCompleter(field);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    field->setCompleter(completer);
    combo->setLineEdit(field);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (combo->currentText() != entry->defaultText)
        combo->setEditText(entry->defaultText);
    combo->setAccessibleName(accessibleNameOf(spec));
    return combo;
}

QWidget *ControlFactory::createButton(const ControlSpec &spec, PictureButton *button) const
{
    button->setText(spec.caption.toString());
    button->setPicture(Pictures::pixmap(spec.picture));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setPalette(face(spec));
    return button;
}

QWidget *ControlFactory::createPanel(QGroupBox *panel) const
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, panelColour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

QWidget *ControlFactory::createOption(const ControlSpec &spec, QRadioButton *option) const
{
    option->setText(spec.caption.toString());
    option->setAutoFillBackground(true);
    option->setPalette(face(spec));
    return option;
}

const QPalette &ControlFactory::face(const ControlSpec &spec) const
{
    return spec.face == QPalette::WindowText ? m_windowTextFace : m_buttonFace;
}

// Light text on a face of the given system colour, as the window's labels,
// options and buttons show it.
QPalette ControlFactory::faced(QPalette::ColorRole face)
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
