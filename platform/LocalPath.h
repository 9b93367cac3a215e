#pragma once

#include <QString>

// The file that a typed document path names on this system. On Linux a
// Windows drive path ("C:\avto.doc") is taken relative to the home folder,
// with '\' as the folder separator; any other path is used as typed.
QString localPath(const QString &typedPath);
