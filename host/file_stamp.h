#pragma once
// What the host last knew of a project's file on disk, so that a change made
// by another program (an editor, a `git checkout`) is noticed.  Size and time
// tell cheaply that nothing happened; when they differ the contents decide,
// so touching a file or checking out the same bytes again is no change.

#include <QByteArray>

#include <string>

namespace regsmith::host {

struct FileStamp {
    std::string path;  // empty: no file to watch
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedMs = 0;  // time of the last change, ms since the epoch
    QByteArray digest;      // of the contents

    // The stamp of the file at `path` as it is now; its bytes in `bytes`
    // when given.  A file that cannot be read gets an empty digest.
    static FileStamp Take(const std::string& path, std::string* bytes = nullptr);
};

enum class DiskChange {
    None,     // the file is as stamped (the stamp's time is brought up to date)
    Changed,  // other contents: `bytes` holds them
    Removed,  // the file was there and is gone
};

// Compares the file with its stamp.  Updates the stamp only where nothing
// changed; the caller decides what a change means.
DiskChange CheckFile(FileStamp& stamp, std::string& bytes);

}  // namespace regsmith::host
