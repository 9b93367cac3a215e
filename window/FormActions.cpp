#include "FormActions.h"

#include "ControlTable.h"
#include "Form1.h"
#include "FormTexts.h"
#include "GenerateCommand.h"
#include "LinkLabel.h"
#include "ShellOpener.h"
#include "WindowFormReader.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

FormActions::FormActions(Form1 &form, FileOutput &output, ShellOpener &shell)
    : m_form(form)
    , m_output(output)
    , m_shell(shell)
{
    connectControls();
}

void FormActions::connectControls()
{
    const auto button = [this](QStringView name) { return m_form.control<QPushButton>(name); };
    connect(button(u"Command1"), &QPushButton::clicked, this, &FormActions::generate);
    connect(button(u"Command2"), &QPushButton::clicked, this, &FormActions::exit);
    connect(button(u"Command3"), &QPushButton::clicked, this, &FormActions::showPanel);
    connect(button(u"Command4"), &QPushButton::clicked, this, &FormActions::hidePanel);
    connect(m_form.control<QRadioButton>(GenerateCommand::docOption), &QRadioButton::clicked, this,
            &FormActions::selectDocFormat);
    connect(m_form.control<QRadioButton>(GenerateCommand::txtOption), &QRadioButton::clicked, this,
            &FormActions::selectTxtFormat);
    connect(m_form.control<LinkLabel>(ControlTable::homePageLink), &LinkLabel::clicked, this,
            &FormActions::openHomePage);
    connect(m_form.control<LinkLabel>(ControlTable::mailLink), &LinkLabel::clicked, this,
            &FormActions::writeToAuthor);
}

void FormActions::load()
{
    m_form.control<QRadioButton>(GenerateCommand::docOption)->setChecked(true);
    setPanelVisible(false);
}

void FormActions::generate()
{
    const GenerateResult result = GenerateCommand(m_output, m_shell).run(WindowFormReader(m_form));
    if (!result.succeeded())
        tell(result.error);
    else if (!result.replacements.isEmpty())
        tell(replacementNotice(result));
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
    m_shell.execute({desktop, u"Open"_s, address, {}, u"c:\\"_s, ShellRequest::showNormal});
}

void FormActions::writeToAuthor()
{
    const QString address = m_form.control<QLabel>(ControlTable::mailLink)->text();
    const QString mail
        = u"mailto:"_s + address + u"?Subject="_s + FormTexts::mailSubject.toString();
    m_shell.execute({0, u"Open"_s, mail, {}, {}, ShellRequest::showNormal});
}

void FormActions::setPanelVisible(bool visible)
{
    m_form.control(ControlTable::panel)->setVisible(visible);
}

void FormActions::setPath(QStringView path)
{
    m_form.control<QLineEdit>(GenerateCommand::pathInput)->setText(path.toString());
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

QString FormActions::replacementNotice(const GenerateResult &result)
{
    QString notice = u"Эти знаки отсутствуют в кодировке Windows-1251 и записаны в документ "
                     u"как «?»:"_s;
    for (const RowReplacement &replacement : result.replacements)
        notice += u"\nстрока %1: %2"_s.arg(replacement.row).arg(replacement.characters);
    return notice;
}
