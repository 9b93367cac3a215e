#include "FolvarWindow.h"

#include "LineEditFrameStyle.h"

FolvarWindow::Style::Style()
{
    LineEditFrameStyle::install();
}

FolvarWindow::FolvarWindow()
    : m_actions(m_form, m_output, m_shell)
{
    m_actions.load();
}

void FolvarWindow::show()
{
    m_form.show();
}
