#include "FolvarWindow.h"

FolvarWindow::FolvarWindow()
    : m_actions(m_form, m_output, m_shell)
{
    m_actions.load();
}

void FolvarWindow::show()
{
    m_form.show();
}
