// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

// Texts of the window that are not captions of the catalogue.
namespace FormTexts {

constexpr QStringView title = u"folvar";
constexpr QStringView docPath = u"C:\\avto.doc";
constexpr QStringView txtPath = u"C:\\avto.txt";
constexpr QStringView pathName = u"Путь к документу";
constexpr QStringView homePage = u"https://folvar.example/";
constexpr QStringView mailAddress = u"author@folvar.example";
constexpr QStringView mailSubject = u"folvar_вопросы ";

} // namespace FormTexts
