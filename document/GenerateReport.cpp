// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GenerateReport.h"

#include "GenerateCommand.h"
#include "HiddenCharacters.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

QString codeOf(char32_t character)
{
    return u"U+%1"_s.arg(uint(character), 4, 16, QChar(u'0')).toUpper();
}

// Characters a path may not hold show as marks: controls as their pictures
// (U+2400...), format and separator characters by their codes, so that a
// pasted line break cannot add a line and a direction mark cannot make
// "cod\u202Eexe.doc" look like "codcod.exe".
QString visible(const QString &text)
{
    QString shown;
    for (const char32_t character : text.toUcs4()) {
        if (!HiddenCharacters::isHidden(character))
            shown += QString::fromUcs4(&character, 1);
        else if (character < 0x20)
            shown += QChar(char16_t(0x2400 + character));
        else if (QChar::category(character) == QChar::Other_Control)
            shown += QChar(0x2421);
        else
            shown += u'<' + codeOf(character) + u'>';
    }
    if (shown.size() > GenerateReport::longestPath) {
        // A character outside the first plane is never cut in half.
        qsizetype head = GenerateReport::longestPath / 2;
        qsizetype tail = head;
        head -= shown[head - 1].isHighSurrogate() ? 1 : 0;
        tail -= shown[shown.size() - tail].isLowSurrogate() ? 1 : 0;
        shown = shown.first(head) + u'…' + shown.last(tail);
    }
    return shown;
}

// A character that draws nothing by itself, or joins the one before it, is
// named by its code instead.
QString listed(char32_t character)
{
    const QString text = QString::fromUcs4(&character, 1);
    const QChar::Category category = QChar::category(character);
    const bool drawsAlone = QChar::isPrint(character) && category != QChar::Mark_NonSpacing
                            && category != QChar::Mark_SpacingCombining
                            && category != QChar::Mark_Enclosing && !QChar::isSpace(character);
    return drawsAlone ? text : codeOf(character);
}

QString notWritten(const GenerateResult &result)
{
    QString text = u"Документ не записан."_s;
    if (!result.typedPath.isEmpty())
        text += u"\nПуть: "_s + visible(result.typedPath);
    if (!result.location.isEmpty() && result.location != result.typedPath)
        text += u"\nФайл: "_s + visible(result.location);
    const bool closed = result.reason.endsWith(u'.');
    return text + u"\nПричина: "_s + result.reason + (closed ? u""_s : u"."_s);
}

QString notShown(const GenerateResult &result)
{
    const QString file = visible(result.location.isEmpty() ? result.typedPath : result.location);
    if (result.outcome != Outcome::Written)
        return u"Не удалось показать документ: %1"_s.arg(file);
    const QString why = result.showing == Showing::NameNotText
                            ? u"имя файла не в кодировке системы, и приложению его не передать"_s
                            : u"не запустилось ни одно приложение, которое открывает такие файлы"_s;
    return u"Документ записан: %1\nНо показать его не удалось: %2."_s.arg(file, why);
}

QString fieldOfReplacements(const FieldReplacement &replacement)
{
    QStringList characters;
    for (const char32_t character : replacement.characters.first(
             std::min(replacement.characters.size(), GenerateReport::charactersPerField)))
        characters.append(listed(character));
    QString field = u"%1: %2"_s.arg(replacement.field, characters.join(u' '));
    const qsizetype unlisted = replacement.characters.size() - characters.size();
    if (unlisted > 0)
        field += u" и ещё %1"_s.arg(unlisted);
    return field;
}

QString replacements(const QList<FieldReplacement> &fields)
{
    QString text = u"В документе вместо этих знаков стоит «?» (их нет в кодировке Windows-1251, "_s
                   u"или это управляющие символы):"_s;
    for (const FieldReplacement &field :
         fields.first(std::min(fields.size(), GenerateReport::listedFields)))
        text += u'\n' + fieldOfReplacements(field);
    const qsizetype more = fields.size() - GenerateReport::listedFields;
    // "в 1 поле", "в 21 поле", but "в 11 полях".
    const bool one = more % 10 == 1 && more % 100 != 11;
    if (more > 0)
        text += u"\nи ещё в %1 %2"_s.arg(more).arg(one ? u"поле"_s : u"полях"_s);
    return text;
}

} // namespace

QString GenerateReport::viewerFailed(const QString &file)
{
    return u"Документ записан: %1\nНо приложение, запущенное, чтобы его показать, завершилось с "
           u"ошибкой."_s.arg(visible(file));
}

QString GenerateReport::text(const GenerateResult &result)
{
    if (result.outcome == Outcome::NotWritten)
        return notWritten(result);
    QStringList paragraphs;
    if (!result.reason.isEmpty())
        paragraphs.append(
            u"Документ записан: %1\nНо %2."_s.arg(visible(result.location), result.reason));
    // A FIFO or device is handed to no viewer, and nothing needs saying.
    if (result.showing == Showing::NothingStarted || result.showing == Showing::NameNotText)
        paragraphs.append(notShown(result));
    if (!result.replacements.isEmpty())
        paragraphs.append(replacements(result.replacements));
    return paragraphs.join(u"\n\n"_s);
}
