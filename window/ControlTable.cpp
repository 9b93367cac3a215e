// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ControlTable.h"

#include "FormTexts.h"

#include <array>

namespace {

using enum ControlKind;

constexpr QStringView window = {};
constexpr QStringView frame = ControlTable::panel;
constexpr bool bold = true;
constexpr bool regular = false;

constexpr std::array controlList{
    // The catalogue, row by row: captions first, then inputs.
    ControlEntry{u"Label1", Label, window, 120, 120, 855, 255, 0, bold},
    ControlEntry{u"Text1", TextBox, window, 1080, 120, 8535, 285, 3, bold},
    ControlEntry{u"Label2", Label, window, 120, 480, 855, 255, 1, bold},
    ControlEntry{u"Text2", TextBox, window, 1080, 480, 8535, 285, 4, bold},
    ControlEntry{u"Label3", Label, window, 120, 840, 855, 255, 2, bold},
    ControlEntry{u"Text3", TextBox, window, 1080, 840, 8535, 285, 5, bold},
    ControlEntry{u"Label4", Label, window, 120, 1320, 3255, 255, 6, bold},
    ControlEntry{u"Text4", TextBox, window, 3480, 1320, 6135, 285, 14, bold},
    ControlEntry{u"Label5", Label, window, 120, 1680, 3255, 255, 7, bold},
    ControlEntry{u"Text5", TextBox, window, 3480, 1680, 6135, 285, 15, bold},
    ControlEntry{u"Label6", Label, window, 120, 2040, 3255, 255, 8, bold},
    ControlEntry{u"Text6", TextBox, window, 3480, 2040, 6135, 285, 16, bold},
    ControlEntry{u"Label7", Label, window, 120, 2400, 3255, 255, 9, bold},
    ControlEntry{u"Text7", TextBox, window, 3480, 2400, 6135, 285, 17, bold},
    ControlEntry{u"Label8", Label, window, 120, 2760, 3255, 255, 10, bold},
    ControlEntry{u"Combo1", ComboBox, window, 3480, 2760, 1935, 315, 21, bold},
    ControlEntry{u"Label9", Label, window, 120, 3120, 3255, 255, 11, bold},
    ControlEntry{u"Text9", TextBox, window, 3480, 3120, 6135, 285, 18, bold},
    ControlEntry{u"Label10", Label, window, 120, 3480, 3255, 255, 12, bold},
    ControlEntry{u"Text10", TextBox, window, 3480, 3480, 6135, 285, 19, bold},
    ControlEntry{u"Label11", Label, window, 120, 3840, 3255, 255, 13, bold},
    ControlEntry{u"Text11", TextBox, window, 3480, 3840, 6135, 285, 20, bold},
    ControlEntry{u"Label12", Label, window, 120, 4200, 4695, 255, 22, bold},
    ControlEntry{u"Text12", TextBox, window, 4920, 4200, 1935, 285, 24, bold},
    ControlEntry{u"Label14", Label, window, 6960, 4200, 375, 255, 26, bold},
    ControlEntry{u"Text14", TextBox, window, 7440, 4200, 2175, 285, 28, bold},
    ControlEntry{u"Label13", Label, window, 120, 4560, 4695, 255, 23, bold},
    ControlEntry{u"Text13", TextBox, window, 4920, 4560, 1935, 285, 25, bold},
    ControlEntry{u"Label15", Label, window, 6960, 4560, 375, 255, 27, bold},
    ControlEntry{u"Text15", TextBox, window, 7440, 4560, 2175, 285, 29, bold},
    ControlEntry{u"Label16", Label, window, 120, 4920, 2055, 255, 30, bold},
    ControlEntry{u"Text16", TextBox, window, 2280, 4920, 7335, 285, 32, bold},
    ControlEntry{u"Label17", Label, window, 120, 5280, 2055, 255, 31, bold},
    ControlEntry{u"Text17", TextBox, window, 2280, 5280, 7335, 285, 33, bold},
    ControlEntry{u"Label18", Label, window, 120, 5640, 1575, 255, 34, bold},
    ControlEntry{u"Text18", TextBox, window, 1800, 5640, 7815, 285, 38, bold},
    ControlEntry{u"Label19", Label, window, 120, 6000, 1575, 255, 35, bold},
    ControlEntry{u"Text19", TextBox, window, 1800, 6000, 7815, 285, 39, bold},
    ControlEntry{u"Label20", Label, window, 120, 6360, 1575, 255, 36, bold},
    ControlEntry{u"Text20", TextBox, window, 1800, 6360, 3135, 285, 40, bold},
    ControlEntry{u"Label22", Label, window, 5160, 6360, 375, 255, 42, bold},
    ControlEntry{u"Text22", TextBox, window, 5760, 6360, 3855, 285, 43, bold},
    ControlEntry{u"Label21", Label, window, 120, 6720, 1575, 255, 37, bold},
    ControlEntry{u"Text21", TextBox, window, 1800, 6720, 7815, 285, 41, bold},
    // Two lines high, and one pixel more than the 375 twips the window was
    // drawn with: two lines of the caption fill 375 to the pixel, and with
    // the font hinted at most scales the second line's descenders were cut.
    ControlEntry{u"Label23", Label, window, 120, 7080, 1935, 390, 44, bold},
    ControlEntry{u"Text23", TextBox, window, 2160, 7080, 7455, 285, 46, bold},
    // The label stands 120 lower than its text box.
    ControlEntry{u"Label24", Label, window, 120, 7560, 1935, 255, 45, bold},
    ControlEntry{u"Text24", TextBox, window, 2160, 7440, 7455, 285, 47, bold},
    ControlEntry{u"Label25", Label, window, 120, 7800, 2775, 255, 48, bold},
    ControlEntry{u"Combo2", ComboBox, window, 3000, 7800, 735, 315, 50, bold},
    ControlEntry{u"Combo3", ComboBox, window, 3840, 7800, 1575, 315, 51, bold},
    ControlEntry{u"Label26", Label, window, 120, 8160, 2775, 255, 49, bold},
    ControlEntry{u"Combo4", ComboBox, window, 3000, 8160, 735, 315, 52, bold},
    ControlEntry{u"Combo5", ComboBox, window, 3840, 8160, 1575, 315, 53, bold},
    ControlEntry{u"Combo6", ComboBox, window, 5520, 8160, 1095, 315, 54, bold},

    ControlEntry{u"Label27", Label, window, 5520, 7800, 1575, 255, 55, bold, u"(не более 3 лет)"},
    ControlEntry{ControlTable::homePageLink, LinkLabel, window, 5760, 2760, 1815, 255, 64, regular,
                 FormTexts::homePage},
    ControlEntry{ControlTable::mailLink, LinkLabel, window, 7920, 2760, 1455, 255, 65, regular,
                 FormTexts::mailAddress},
    // The buttons' captions and tool tips are the form's own, slips included:
    // the caption "Command3" and the spelling "довереность" are what the
    // people who know the form expect to see. A screen reader is told the
    // words spelled rightly.
    ControlEntry{ControlTable::generateButton,
                 PictureButton,
                 window,
                 8040,
                 7800,
                 735,
                 615,
                 60,
                 regular,
                 {},
                 u"посмотреть довереность",
                 u"посмотреть доверенность",
                 Picture::Car},
    ControlEntry{ControlTable::exitButton,
                 PictureButton,
                 window,
                 7200,
                 7800,
                 735,
                 615,
                 61,
                 regular,
                 {},
                 u"выход",
                 {},
                 Picture::Door},
    ControlEntry{ControlTable::showPanelButton,
                 PictureButton,
                 window,
                 8880,
                 7800,
                 735,
                 615,
                 62,
                 regular,
                 u"Command3",
                 u"выбрать doc или txt",
                 {},
                 Picture::Pages,
                 QPalette::WindowText},

    // The panel and what it holds.
    ControlEntry{ControlTable::panel, Panel, window, 120, 6960, 9495, 735, 56, bold},
    ControlEntry{ControlTable::docOption, Option, frame, 360, 240, 735, 255, 57, bold, u".doc"},
    ControlEntry{ControlTable::txtOption, Option, frame, 1200, 240, 735, 255, 58, bold, u".txt"},
    ControlEntry{ControlTable::pathBox, TextBox, frame, 2040, 240, 3015, 285, 59, bold,
                 FormTexts::docPath},
    ControlEntry{ControlTable::hidePanelButton,
                 PictureButton,
                 frame,
                 5160,
                 240,
                 1215,
                 375,
                 63,
                 bold,
                 u"выход",
                 u"скрыть панель",
                 {},
                 Picture::ExitWord},
};

} // namespace

std::span<const ControlEntry> ControlTable::controls()
{
    return controlList;
}
