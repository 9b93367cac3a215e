// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Pictures.h"

#include <QPalette>
#include <QStringView>

#include <span>

enum class ControlKind { Label, LinkLabel, TextBox, ComboBox, PictureButton, Panel, Option };

// One control of the window: where it stands, in twips within its container,
// and its place in the tab order. Captions of the catalogue's labels and
// inputs come from the catalogue; the columns for texts hold only what the
// window alone shows.
struct ControlEntry
{
    QStringView name;
    ControlKind kind;
    QStringView container;
    int left;
    int top;
    int width;
    int height;
    int tab;
    bool bold;
    QStringView caption = {};
    QStringView toolTip = {};
    // What a screen reader calls a button, where its tool tip does not say it rightly.
    QStringView spokenName = {};
    Picture picture = Picture::None;
    // The system colour a label, option or button is filled with.
    QPalette::ColorRole face = QPalette::ButtonText;
};

// The window's controls, and the names of those the code acts on.
class ControlTable
{
public:
    static constexpr int clientWidth = 9795;
    static constexpr int clientHeight = 8550;

    static constexpr QStringView generateButton = u"Command1";
    static constexpr QStringView exitButton = u"Command2";
    static constexpr QStringView showPanelButton = u"Command3";
    static constexpr QStringView hidePanelButton = u"Command4";
    static constexpr QStringView panel = u"Frame1";
    static constexpr QStringView docOption = u"Option1";
    static constexpr QStringView txtOption = u"Option2";
    static constexpr QStringView pathBox = u"Text8";
    static constexpr QStringView homePageLink = u"Label28";
    static constexpr QStringView mailLink = u"Label29";

    static std::span<const ControlEntry> controls();
};
