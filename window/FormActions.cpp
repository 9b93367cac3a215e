// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormActions.h"

#include "ControlTable.h"
#include "DocumentWriter.h"
#include "Form1.h"
#include "FormTexts.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "LinkLabel.h"
#include "ShellOpener.h"
#include "WindowFormReader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

FormActions::FormActions(Form1 &form, DocumentWriter &writer, ShellOpener &shell)
    : m_form(form)
    , m_writer(writer)
    , m_shell(shell)
{
    connectControls();
}

void FormActions::connectControls()
{
    const auto button = [this](QStringView name) { return m_form.control<QPushButton>(name); };
    const auto option = [this](QStringView name) { return m_form.control<QRadioButton>(name); };
    const auto link = [this](QStringView name) { return m_form.control<LinkLabel>(name); };
    connect(button(ControlTable::generateButton), &QPushButton::clicked, this,
            &FormActions::generate);
    connect(button(ControlTable::exitButton), &QPushButton::clicked, this, &FormActions::exit);
    connect(button(ControlTable::showPanelButton), &QPushButton::clicked, this,
            &FormActions::showPanel);
    connect(button(ControlTable::hidePanelButton), &QPushButton::clicked, this,
            &FormActions::hidePanel);
    connect(option(ControlTable::docOption), &QRadioButton::clicked, this,
            &FormActions::selectDocFormat);
    connect(option(ControlTable::txtOption), &QRadioButton::clicked, this,
            &FormActions::selectTxtFormat);
    connect(link(ControlTable::homePageLink), &LinkLabel::clicked, this,
            &FormActions::openHomePage);
    connect(link(ControlTable::mailLink), &LinkLabel::clicked, this, &FormActions::writeToAuthor);
    connect(&m_writer, &DocumentWriter::finished, this, &FormActions::written);
    connect(&m_shell, &ShellOpener::documentNotShown, this, &FormActions::tellNotShown);
    m_form.installEventFilter(this);
}

bool FormActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_form || event->type() != QEvent::Close || !waitsToClose())
        return false;
    event->ignore();
    return true;
}

// A document on its way into a file is waited for, unless a second close
// gives it up where that leaves its path as it was; a FIFO's reader, who
// may never read, is not waited for.
bool FormActions::waitsToClose()
{
    if (!m_writer.isWriting() || m_writer.goesToStream())
        return false;
    if (m_closing)
        return !m_writer.abandon();
    m_closing = true;
    m_focusBeforeClosing = QApplication::focusWidget();
    m_form.setEnabled(false);
    return true;
}

void FormActions::load()
{
    m_form.control<QRadioButton>(ControlTable::docOption)->setChecked(true);
    setPanelVisible(false);
}

void FormActions::generate()
{
    if (m_writer.start(WindowFormReader(m_form)))
        setWriting(true);
}

// Where the system put the document elsewhere, the path box says where, so
// that the next click writes there; unless the user has changed it since.
// A close that waited for the document goes on once it is written and what
// there is to tell has been read.
void FormActions::written(const GenerateResult &result)
{
    const bool closing = std::exchange(m_closing, false);
    if (closing) {
        m_form.setEnabled(true);
        if (m_focusBeforeClosing)
            m_focusBeforeClosing->setFocus();
    }
    setWriting(false);
    if (result.elsewhere
        && m_form.control<QLineEdit>(ControlTable::pathBox)->text() == result.typedPath)
        setPath(result.location);
    const QString report = GenerateReport::text(result);
    const bool closeNow = closing && result.outcome != Outcome::NotWritten;
    if (!report.isEmpty())
        tell(report, closeNow);
    else if (closeNow)
        m_form.close();
}

// What was started to show a written document gave up soon after.
void FormActions::tellNotShown(const QString &file)
{
    tell(GenerateReport::viewerFailed(file));
}

void FormActions::selectDocFormat()
{
    setPath(FormTexts::docPath);
}

void FormActions::selectTxtFormat()
{
    setPath(FormTexts::txtPath);
}

void FormActions::showPanel()
{
    setPanelVisible(true);
}

void FormActions::hidePanel()
{
    setPanelVisible(false);
}

void FormActions::exit()
{
    m_form.close();
}

void FormActions::openHomePage()
{
    m_shell.openAddress(m_form.control<QLabel>(ControlTable::homePageLink)->text());
}

void FormActions::writeToAuthor()
{
    const QString address = m_form.control<QLabel>(ControlTable::mailLink)->text();
    m_shell.openAddress(u"mailto:"_s + address + u"?Subject="_s
                        + FormTexts::mailSubject.toString());
}

void FormActions::setPanelVisible(bool visible)
{
    m_form.control(ControlTable::panel)->setVisible(visible);
}

// The resting button gives the focus to no other control, where a key
// meant for it would do something else, and takes it back unless the user
// has moved it meanwhile.
void FormActions::setWriting(bool writing)
{
    QWidget *button = m_form.control(ControlTable::generateButton);
    if (writing) {
        m_focusOwed = button->hasFocus();
        button->clearFocus();
        m_form.setCursor(Qt::BusyCursor);
    } else {
        m_form.unsetCursor();
    }
    button->setEnabled(!writing);
    if (!writing && std::exchange(m_focusOwed, false) && !m_form.focusWidget())
        button->setFocus();
}

void FormActions::setPath(QStringView path)
{
    m_form.control<QLineEdit>(ControlTable::pathBox)->setText(path.toString());
}

// Shown window-modal without blocking, so the handler returns at once.
void FormActions::tell(const QString &message, bool thenClose)
{
    auto *box = new QMessageBox(QMessageBox::Warning, FormTexts::title.toString(), message,
                                QMessageBox::Ok, &m_form);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    if (thenClose)
        connect(box, &QMessageBox::finished, &m_form, &QWidget::close);
    box->open();
}
