// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class DocumentWriter;
class Form1;
class ShellOpener;
struct GenerateResult;

// The behaviour behind the window's controls: start-up defaults, the format
// options, the panel, exit, the two links and the generate button. All
// signals of the window are connected here. While a document is being
// written the generate button rests, without the keyboard's focus, and the
// form shows it is busy; the other controls keep working. A close while a
// document goes into a file waits for it with the window shown and taking
// no input: a failure keeps the window, with its message; a second close
// gives the document up where its path has not changed yet.
class FormActions : public QObject
{
    Q_OBJECT

public:
    FormActions(Form1 &form, DocumentWriter &writer, ShellOpener &shell);

    // Selects the .doc format and hides the panel, before the window is shown.
    void load();

public Q_SLOTS:
    void generate();
    void written(const GenerateResult &result);
    void tellNotShown(const QString &file);
    void selectDocFormat();
    void selectTxtFormat();
    void showPanel();
    void hidePanel();
    void exit();
    void openHomePage();
    void writeToAuthor();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectControls();
    bool waitsToClose();
    void setPanelVisible(bool visible);
    void setWriting(bool writing);
    void setPath(QStringView path);
    void tell(const QString &message, bool thenClose = false);

    Form1 &m_form;
    DocumentWriter &m_writer;
    ShellOpener &m_shell;
    // The generate button had the focus when the document was started.
    bool m_focusOwed = false;
    bool m_closing = false;
    QPointer<QWidget> m_focusBeforeClosing;
};
