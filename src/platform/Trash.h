#pragma once

#include <QString>

// Moving a file to the desktop's trash (the freedesktop.org trash, which the
// desktop's file manager restores from) of the process's own user only: the
// home trash for a file of the home's disk, the disk's own ".Trash/<uid>" or
// ".Trash-<uid>" folder for a file of another disk. Every folder of the
// trash is opened without following a link and must belong to the user and
// be closed to other accounts; nothing is ever put anywhere else.
struct TrashResult {
    enum Status {
        Ok,
        Missing,     // the file is not there
        Unavailable, // no trash can be made or used for that file
        Foreign,     // the trash folder belongs to another account, or is open to others
        NotAFolder,  // something that is no folder (a plain file) stands in its place
        Failed,      // the move itself failed
    };
    Status status = Failed;
    QString trashFolder; // the trash folder used or refused, when known
    QString trashedPath; // where the file went
};

TrashResult moveToOwnTrash(const QString& path);
