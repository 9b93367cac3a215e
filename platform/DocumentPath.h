#pragma once

#include <QString>

// Where a typed document path leads on this system. On Linux a Windows drive
// path ("C:\avto.doc", or "C:" alone) is taken inside the home folder with
// '\' as the folder separator; a network path ("\\server\share\a.doc")
// leads nowhere. A path holding control characters is never used.
struct DocumentPath
{
    enum class Problem { None, Empty, ControlCharacter, NetworkPath };

    // The absolute path of the file, empty when the path is refused.
    QString location;
    Problem problem = Problem::None;

    static DocumentPath resolve(const QString &typedPath);
};
