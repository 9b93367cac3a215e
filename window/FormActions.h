#pragma once

#include <QObject>

class FileOutput;
class Form1;
class ShellOpener;

// The behaviour behind the window's controls: start-up defaults, the format
// options, the panel, exit, the two links and the generate button. All
// signals of the window are connected here.
class FormActions : public QObject
{
    Q_OBJECT

public:
    FormActions(Form1 &form, FileOutput &output, ShellOpener &shell);

    // Selects the .doc format and hides the panel, before the window is shown.
    void load();

public Q_SLOTS:
    void generate();
    void tellNotShown(const QString &file);
    void selectDocFormat();
    void selectTxtFormat();
    void showPanel();
    void hidePanel();
    void exit();
    void openHomePage();
    void writeToAuthor();

private:
    void connectControls();
    void setPanelVisible(bool visible);
    void setPath(QStringView path);
    void tell(const QString &message);

    Form1 &m_form;
    FileOutput &m_output;
    ShellOpener &m_shell;
};
