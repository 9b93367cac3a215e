#pragma once

#include "Form1.h"
#include "FormActions.h"
#include "SaveFileOutput.h"
#include "SystemShellOpener.h"

// The window as the program runs it: the form and its actions, writing
// files and opening them through this system's own services.
class FolvarWindow
{
public:
    FolvarWindow();

    void show();
    Form1 &form() { return m_form; }

private:
    // Comes first: the style is in place before the form builds its controls,
    // so each control is polished once, in it.
    struct Style
    {
        Style();
    } m_style;
    SaveFileOutput m_output;
    SystemShellOpener m_shell;
    Form1 m_form;
    FormActions m_actions;
};
