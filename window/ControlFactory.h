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
struct ControlSpec;

// Creates the window's controls from their table rows, with the fonts,
// colours, captions, lists and pictures each kind takes.
class ControlFactory
{
public:
    ControlFactory();

    QWidget *create(const ControlSpec &spec, QWidget *container) const;
    const QFont &font(bool bold) const { return bold ? m_bold : m_regular; }

private:
    template<typename Control>
    Control *place(Control *control, const ControlSpec &spec) const;
    QWidget *createLabel(const ControlSpec &spec, QLabel *label) const;
    QWidget *createTextBox(const ControlSpec &spec, QLineEdit *textBox) const;
    QWidget *createComboBox(const ControlSpec &spec, QComboBox *combo) const;
    QWidget *createButton(const ControlSpec &spec, PictureButton *button) const;
    QWidget *createPanel(QGroupBox *panel) const;
    QWidget *createOption(const ControlSpec &spec, QRadioButton *option) const;
    const QPalette &face(const ControlSpec &spec) const;
    static QPalette faced(QPalette::ColorRole face);

    QFont m_bold;
    QFont m_regular;
    QCursor m_hand;
    QPalette m_buttonFace;
    QPalette m_windowTextFace;
};
