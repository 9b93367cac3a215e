#pragma once

#include <QObject>

// Ends the process as soon as the watched window's first paint has reached
// the display, for timing start-up. It only watches; the window is unchanged.
class FirstPaintExit : public QObject
{
    Q_OBJECT

public:
    explicit FirstPaintExit(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_painted = false;
};
