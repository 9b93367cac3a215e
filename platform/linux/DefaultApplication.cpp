#include "DefaultApplication.h"

#include <QFile>

#include <gio/gio.h>

#include <memory>

namespace {

struct ObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};

template<typename Object>
using Owned = std::unique_ptr<Object, ObjectUnref>;

} // namespace

QString DefaultApplication::executableFor(const QString &file)
{
    const Owned<GFile> location(g_file_new_for_path(QFile::encodeName(file).constData()));
    const Owned<GFileInfo> info(g_file_query_info(location.get(),
                                                  G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                  G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    const char *type = info ? g_file_info_get_content_type(info.get()) : nullptr;
    if (!type)
        return {};
    const Owned<GAppInfo> application(g_app_info_get_default_for_type(type, FALSE));
    if (!application)
        return {};
    return QFile::decodeName(g_app_info_get_executable(application.get()));
}
