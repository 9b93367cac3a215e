// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SystemError.h"

#include <QByteArray>

#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace {

QString decoded(const char *text, const char *codeSet)
{
    const iconv_t converter = iconv_open("UTF-16LE", codeSet);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open() fails with (iconv_t)-1.
    if (converter == reinterpret_cast<iconv_t>(-1))
        return QString::fromLocal8Bit(text);
    QByteArray in(text);
    QByteArray out(in.size() * 4 + 4, '\0');
    char *inPointer = in.data();
    char *outPointer = out.data();
    auto inLeft = static_cast<std::size_t>(in.size());
    auto outLeft = static_cast<std::size_t>(out.size());
    const bool complete
        = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != std::size_t(-1);
    iconv_close(converter);
    if (!complete)
        return QString::fromLocal8Bit(text);
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(out.constData()),
                              (out.size() - static_cast<qsizetype>(outLeft)) / 2);
}

} // namespace

QString SystemError::text(int error)
{
    return decoded(std::strerror(error), nl_langinfo(CODESET));
}
