// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Form1.h"

#include "CaptionColours.h"
#include "ControlFactory.h"
#include "ControlTable.h"
#include "FieldCatalogue.h"
#include "FormAccessibility.h"
#include "FormTexts.h"
#include "PictureButton.h"
#include "Twips.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr Qt::WindowFlags fixedWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                                        | Qt::MSWindowsFixedSizeDialogHint;

bool isLabel(ControlKind kind)
{
    return kind == ControlKind::Label || kind == ControlKind::LinkLabel;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent, fixedWindow)
{
    // In place before any control exists: with a screen reader running,
    // each control is made known to it as it is created.
    FormAccessibility::install();
    setObjectName(u"Form1"_s);
    setWindowTitle(FormTexts::title.toString());
    setFixedSize(Twips::toPixels(ControlTable::clientWidth),
                 Twips::toPixels(ControlTable::clientHeight));
    QPalette background = palette();
    background.setColor(QPalette::Window,
                        CaptionColours::of(background, QPalette::ButtonText).face);
    setPalette(background);
    setAutoFillBackground(true);

    createControls();
    // The generate button shows the window's own icon.
    setWindowIcon(control<PictureButton>(ControlTable::generateButton)->picture());
    applyStacking();
    applyTabOrder();
    tieCaptionsToInputs();
    centreOnScreen();
}

QWidget *Form1::control(QStringView name) const
{
    return m_controls.value(name);
}

void Form1::createControls()
{
    ControlFactory factory;
    // Nearly every control is bold, so the window carries the bold font and
    // they take it from the window; it draws no text of its own.
    setFont(factory.font(true));
    const auto controls = ControlTable::controls();
    m_controls.reserve(static_cast<qsizetype>(controls.size()));
    for (const ControlEntry &entry : controls) {
        QWidget *container = entry.container.isEmpty() ? this : control(entry.container);
        m_controls.insert(entry.name, factory.create(entry, container));
    }
}

// Labels lie beneath every other control, and the panel above them all.
void Form1::applyStacking()
{
    for (const ControlEntry &entry : ControlTable::controls()) {
        if (isLabel(entry.kind))
            control(entry.name)->lower();
    }
    control(ControlTable::panel)->raise();
}

// Labels and the panel take no focus and keep out of the chain.
void Form1::applyTabOrder()
{
    std::vector<const ControlEntry *> chain;
    for (const ControlEntry &entry : ControlTable::controls()) {
        if (control(entry.name)->focusPolicy() != Qt::NoFocus)
            chain.push_back(&entry);
    }
    std::ranges::stable_sort(chain, {}, &ControlEntry::tab);
    for (std::size_t index = 1; index < chain.size(); ++index)
        setTabOrder(control(chain[index - 1]->name), control(chain[index]->name));
}

// A screen reader names each input's caption from its label's buddy.
void Form1::tieCaptionsToInputs()
{
    for (const CatalogueRow &row : FieldCatalogue::rows()) {
        for (const CatalogueField &field : row.fields) {
            if (!field.label.isEmpty())
                control<QLabel>(field.label)->setBuddy(control(field.input));
        }
    }
}

void Form1::centreOnScreen()
{
    if (const QScreen *screen = QApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
