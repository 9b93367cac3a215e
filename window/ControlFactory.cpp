#include "ControlFactory.h"

#include "ControlTable.h"
#include "FieldCatalogue.h"
#include "FormFont.h"
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

namespace {

constexpr QColor panelColour(0, 0, 192);
constexpr QPoint handHotSpot(1, 3);

const CatalogueField *catalogueField(const ControlEntry &entry)
{
    return FieldCatalogue::field(entry.name);
}

QString captionOf(const ControlEntry &entry)
{
    const CatalogueField *field = catalogueField(entry);
    return field ? field->caption : entry.caption.toString();
}

// Screen readers announce an input by the caption in front of it.
QString accessibleNameOf(const ControlEntry &entry)
{
    return FieldCatalogue::captionBefore(entry.name).simplified();
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

QWidget *ControlFactory::create(const ControlEntry &entry, QWidget *container)
{
    switch (entry.kind) {
    case ControlKind::Label:
        return createLabel(entry, place(new QLabel(container), entry));
    case ControlKind::LinkLabel: {
        auto *link = place(new LinkLabel(container), entry);
        link->setCursor(m_hand);
        return createLabel(entry, link);
    }
    case ControlKind::TextBox:
        return createTextBox(entry, place(new QLineEdit(container), entry));
    case ControlKind::ComboBox:
        return createComboBox(entry, place(new QComboBox(container), entry));
    case ControlKind::PictureButton:
        return createButton(entry, place(new PictureButton(container), entry));
    case ControlKind::Panel:
        return createPanel(place(new QGroupBox(container), entry));
    case ControlKind::Option:
        return createOption(entry, place(new QRadioButton(container), entry));
    }
    return nullptr;
}

// Name, place and font come first, so the control lays out its text once.
// A control takes its container's font unless its own differs.
template<typename Control>
Control *ControlFactory::place(Control *control, const ControlEntry &entry) const
{
    control->setObjectName(entry.name.toString());
    control->setGeometry(Twips::toPixels(entry.left, entry.top, entry.width, entry.height));
    if (control->font() != font(entry.bold))
        control->setFont(font(entry.bold));
    if (!entry.toolTip.isEmpty())
        control->setToolTip(entry.toolTip.toString());
    return control;
}

QWidget *ControlFactory::createLabel(const ControlEntry &entry, QLabel *label) const
{
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setPalette(face(entry));
    label->setText(captionOf(entry));
    return label;
}

QWidget *ControlFactory::createTextBox(const ControlEntry &entry, QLineEdit *textBox) const
{
    textBox->setMaxLength(std::numeric_limits<int>::max());
    if (!entry.caption.isEmpty())
        textBox->setText(entry.caption.toString());
    textBox->setAccessibleName(accessibleNameOf(entry));
    return textBox;
}

QWidget *ControlFactory::createComboBox(const ControlEntry &entry, QComboBox *combo)
{
    // The list and the default go in before the combo becomes editable, so
    // its line edit lays out one text only.
    const CatalogueField *listed = catalogueField(entry);
    combo->addItems(listed->items);
    combo->setCurrentIndex(static_cast<int>(listed->items.indexOf(listed->defaultText)));

    // Without a completer the combo matches typed text to its items ignoring
    // case and rewrites it on Enter or focus loss. A case-sensitive completer
    // without a model keeps the value exactly as typed and completes nothing;
    // set before the line edit joins the combo, it also spares the combo its
    // own inline-completing one.
    auto *field = new QLineEdit(combo);
    field->setCompleter(exactCompleter(combo->parentWidget()));
    combo->setLineEdit(field);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (combo->currentText() != listed->defaultText)
        combo->setEditText(listed->defaultText);
    combo->setAccessibleName(accessibleNameOf(entry));
    return combo;
}

// One completer serves every combo, as it completes nothing; a line edit
// takes it over when it gains focus.
QCompleter *ControlFactory::exactCompleter(QWidget *form)
{
    if (!m_exactCompleter) {
        m_exactCompleter = new QCompleter(form);
        m_exactCompleter->setCaseSensitivity(Qt::CaseSensitive);
    }
    return m_exactCompleter;
}

QWidget *ControlFactory::createButton(const ControlEntry &entry, PictureButton *button) const
{
    button->setText(entry.caption.toString());
    button->setPicture(Pictures::pixmap(entry.picture));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setPalette(face(entry));
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

QWidget *ControlFactory::createOption(const ControlEntry &entry, QRadioButton *option) const
{
    option->setText(entry.caption.toString());
    option->setAutoFillBackground(true);
    option->setPalette(face(entry));
    return option;
}

const QPalette &ControlFactory::face(const ControlEntry &entry) const
{
    return entry.face == QPalette::WindowText ? m_windowTextFace : m_buttonFace;
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
