#pragma once

#include <QString>

// Where a typed document path leads on this system. On Linux a Windows drive
// path ("C:\avto.doc", or "C:" alone) is taken inside the home folder with
// '\' as the folder separator, and, as at a drive's root, ".." never climbs
// above it; a network path ("\\server\share\a.doc") leads nowhere. A path
// holding a control, format or separator character is never used: it could
// hide or forge what the user is shown. Any other ".." is left for the system
// to follow, since after a linked folder it leads where the link does.
struct DocumentPath
{
    enum class Problem { None, Empty, ControlCharacter, NetworkPath };

    // The absolute path of the file, empty when the path is refused.
    QString location;
    Problem problem = Problem::None;

    static DocumentPath resolve(const QString &typedPath);
    // Whether a character may not stand in a path: a control, format or
    // line or paragraph separator character.
    static bool isHidden(QChar character);
};
