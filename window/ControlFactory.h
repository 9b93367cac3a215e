// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QFont>
#include <QPalette>

class LinkLabel;
class PictureButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
struct ControlEntry;

// Creates the window's controls from their table rows, with the fonts,
// colours, captions, lists and pictures each kind takes.
class ControlFactory
{
public:
    ControlFactory();

    QWidget *create(const ControlEntry &entry, QWidget *container);
    const QFont &font(bool bold) const { return bold ? m_bold : m_regular; }

private:
    template<typename Control>
    Control *place(Control *control, const ControlEntry &entry) const;
    QWidget *createLabel(const ControlEntry &entry, QLabel *label) const;
    QWidget *createTextBox(const ControlEntry &entry, QLineEdit *textBox) const;
    QWidget *createComboBox(const ControlEntry &entry, QComboBox *combo) const;
    QWidget *createButton(const ControlEntry &entry, PictureButton *button) const;
    QWidget *createPanel(QGroupBox *panel) const;
    QWidget *createOption(const ControlEntry &entry, QRadioButton *option) const;
    const QPalette &face(const ControlEntry &entry) const;
    // The scheme's palette with the colours of a face and its captions.
    static QPalette faced(QPalette::ColorRole face);

    QFont m_bold;
    QFont m_regular;
    QCursor m_hand;
    QPalette m_buttonFace;
    QPalette m_windowTextFace;
};
