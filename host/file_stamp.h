#pragma once
// What the host last knew of a project's file on disk, so that a change made
// by another program (an editor, a `git checkout`) is noticed.  The file's
// metadata (size, inode, change times to the nanosecond) tells cheaply that
// nothing happened; when it differs the contents decide, so touching a file
// or checking out the same bytes again is no change.

#include <QByteArray>

#include <cstdint>
#include <string>

namespace regsmith::host {

struct FileStamp {
    std::string path;  // empty: no file to watch
    bool exists = false;
    std::int64_t size = -1;
    std::uint64_t inode = 0;
    std::int64_t modifiedNs = 0;  // content changed
    std::int64_t changedNs = 0;   // content or metadata changed (no program can set it back)
    QByteArray digest;            // of the contents; empty if they could not be read

    // The stamp of the file at `path` as it is now; its bytes in `bytes`
    // when given.
    static FileStamp Take(const std::string& path, std::string* bytes = nullptr);
};

enum class DiskChange {
    None,     // the file is as stamped (the stamp's metadata is brought up to date)
    Changed,  // other contents, or a file where there was none: `bytes` holds them
    Removed,  // the file was there and is gone
};

// Compares the file with its stamp.  Updates the stamp only where nothing
// changed; the caller decides what a change means.
DiskChange CheckFile(FileStamp& stamp, std::string& bytes);

}  // namespace regsmith::host
