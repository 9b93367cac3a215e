// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormActions.h"

#include "ControlTable.h"
#include "DocumentWriter.h"
#include "Form1.h"
#include "FormTexts.h"
#include "GenerateReport.h"
#include "LinkLabel.h"
#include "ShellOpener.h"
#include "WindowFormReader.h"

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
void FormActions::written(const GenerateResult &result)
{
    setWriting(false);
    if (result.elsewhere
        && m_form.control<QLineEdit>(ControlTable::pathBox)->text() == result.typedPath)
        setPath(result.location);
    const QString report = GenerateReport::text(result);
    if (!report.isEmpty())
        tell(report);
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

// The desktop window is fetched before the caption is read.
void FormActions::openHomePage()
{
    const quintptr desktop = m_shell.desktopWindow();
    const QString address = m_form.control<QLabel>(ControlTable::homePageLink)->text();
    m_shell.openAddress({desktop, u"Open"_s, address, {}, u"c:\\"_s, ShellRequest::showNormal});
}

void FormActions::writeToAuthor()
{
    const QString address = m_form.control<QLabel>(ControlTable::mailLink)->text();
    const QString mail
        = u"mailto:"_s + address + u"?Subject="_s + FormTexts::mailSubject.toString();
    m_shell.openAddress({0, u"Open"_s, mail, {}, {}, ShellRequest::showNormal});
}

void FormActions::setPanelVisible(bool visible)
{
    m_form.control(ControlTable::panel)->setVisible(visible);
}

void FormActions::setWriting(bool writing)
{
    m_form.control(ControlTable::generateButton)->setEnabled(!writing);
    if (writing)
        m_form.setCursor(Qt::BusyCursor);
    else
        m_form.unsetCursor();
}

void FormActions::setPath(QStringView path)
{
    m_form.control<QLineEdit>(ControlTable::pathBox)->setText(path.toString());
}

// Shown window-modal without blocking, so the handler returns at once.
void FormActions::tell(const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Warning, FormTexts::title.toString(), message,
                                QMessageBox::Ok, &m_form);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}
