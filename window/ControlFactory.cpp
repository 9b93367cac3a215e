// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ControlFactory.h"

#include "CaptionColours.h"
#include "ControlTable.h"
#include "FieldCatalogue.h"
#include "FormFont.h"
#include "FormTexts.h"
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

// The path box is the one input outside the catalogue.
QString accessibleNameOf(const ControlEntry &entry)
{
    return catalogueField(entry) ? FieldCatalogue::spokenName(entry.name)
                                 : FormTexts::pathName.toString();
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
    if (entry.kind == ControlKind::Label)
        label->setAccessibleName(FieldCatalogue::spoken(label->text()));
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

QWidget *ControlFactory::createComboBox(const ControlEntry &entry, QComboBox *combo) const
{
    const CatalogueField *listed = catalogueField(entry);
    combo->addItems(listed->items);
    combo->setCurrentIndex(static_cast<int>(listed->items.indexOf(listed->defaultText)));
    // The combo would give its field a completer that completes a value
    // while it is typed and, on Enter, swaps it for a list item differing
    // only in case. A completer without a model completes nothing; given to
    // the field first, it keeps the combo from making its own.
    auto *field = new QLineEdit(combo);
    field->setCompleter(new QCompleter(field));
    combo->setLineEdit(field);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setAccessibleName(accessibleNameOf(entry));
    return combo;
}

QWidget *ControlFactory::createButton(const ControlEntry &entry, PictureButton *button) const
{
    button->setText(entry.caption.toString());
    button->setPicture(Pictures::pixmap(entry.picture));
    button->setPalette(face(entry));
    // A screen reader names a button by what it does, as its tool tip says.
    button->setAccessibleName(
        (entry.spokenName.isEmpty() ? entry.toolTip : entry.spokenName).toString());
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

QPalette ControlFactory::faced(QPalette::ColorRole face)
{
    const QPalette scheme = QApplication::palette();
    return CaptionColours::of(scheme, face).applied(scheme);
}
