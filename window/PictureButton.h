// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button that shows a picture with its caption beneath it. The
// picture is scaled down, never up, to leave room for the caption, and the
// caption is set smaller where it would not fit the button's width.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont captionFont(int width) const;

    QPixmap m_picture;
};
