// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DefaultApplication.h"

#include <QFile>
#include <QLibrary>

#include <gio/gio.h>

#include <memory>

namespace {

// GIO's functions, resolved when a document is first opened: loading GIO's
// libraries takes a few milliseconds, which every start would pay.
struct Gio
{
    decltype(&g_file_new_for_path) fileForPath = nullptr;
    decltype(&g_file_query_info) queryInfo = nullptr;
    decltype(&g_file_info_get_content_type) contentType = nullptr;
    decltype(&g_app_info_get_default_for_type) defaultForType = nullptr;
    decltype(&g_app_info_get_executable) executable = nullptr;
    decltype(&g_object_unref) unref = nullptr;

    static const Gio &library()
    {
        static const Gio gio = [] {
            QLibrary library(QStringLiteral("gio-2.0"), 0);
            Gio resolved;
            const auto resolve = [&library](auto &function, const char *name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                    library.resolve(name));
                return function != nullptr;
            };
            const bool complete
                = resolve(resolved.fileForPath, "g_file_new_for_path")
                  && resolve(resolved.queryInfo, "g_file_query_info")
                  && resolve(resolved.contentType, "g_file_info_get_content_type")
                  && resolve(resolved.defaultForType, "g_app_info_get_default_for_type")
                  && resolve(resolved.executable, "g_app_info_get_executable")
                  && resolve(resolved.unref, "g_object_unref");
            return complete ? resolved : Gio();
        }();
        return gio;
    }
};

template<typename Object>
auto owned(Object *object)
{
    const auto unref = [](Object *owned) { Gio::library().unref(owned); };
    return std::unique_ptr<Object, decltype(unref)>(object, unref);
}

} // namespace

QString DefaultApplication::executableFor(const QString &file)
{
    const Gio &gio = Gio::library();
    if (!gio.unref)
        return {};
    const auto location = owned(gio.fileForPath(QFile::encodeName(file).constData()));
    const auto info = owned(gio.queryInfo(location.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                          G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    const char *type = info ? gio.contentType(info.get()) : nullptr;
    if (!type)
        return {};
    const auto application = owned(gio.defaultForType(type, FALSE));
    return application ? QFile::decodeName(gio.executable(application.get())) : QString();
}
