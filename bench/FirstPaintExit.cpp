// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into a program, ends it as soon as its first window has painted
// once and the display has taken the image, for timing start-up. The
// program itself runs unchanged up to that point.
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {

class FirstPaintExit : public QObject
{
public:
    using QObject::QObject;

protected:
    // The backing store is flushed in the same pass as the paint, so by the
    // time a zero timer fires the image has been sent; sync() waits until
    // the display server has taken it.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isWindow() && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, [] {
                QGuiApplication::sync();
                _exit(0);
            });
        }
        return false;
    }

private:
    bool m_painted = false;
};

void watchFirstPaint()
{
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintExit(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)
