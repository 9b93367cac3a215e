#pragma once

#include <QCursor>
#include <QFont>
#include <QPalette>

struct ControlSpec;
class QWidget;

// Creates the window's controls from their table rows, with the fonts,
// colours, captions, lists and pictures each kind takes.
class ControlFactory
{
public:
    ControlFactory();

    QWidget *create(const ControlSpec &spec, QWidget *container) const;
    const QFont &font(bool bold) const { return bold ? m_bold : m_regular; }

private:
    QWidget *createLabel(const ControlSpec &spec, QWidget *container) const;
    QWidget *createTextBox(const ControlSpec &spec, QWidget *container) const;
    QWidget *createComboBox(const ControlSpec &spec, QWidget *container) const;
    QWidget *createButton(const ControlSpec &spec, QWidget *container) const;
    QWidget *createPanel(QWidget *container) const;
    QWidget *createOption(const ControlSpec &spec, QWidget *container) const;
    QPalette faced(QPalette::ColorRole face) const;

    QFont m_bold;
    QFont m_regular;
    QCursor m_hand;
};
