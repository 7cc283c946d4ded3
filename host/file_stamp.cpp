#include "host/file_stamp.h"

#include <QCryptographicHash>

#include <sys/stat.h>

#include "fw/document.h"

namespace regsmith::host {

namespace {

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

void ReadMetadata(FileStamp& stamp) {
    struct stat info;
    stamp.exists = ::stat(stamp.path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    stamp.size = stamp.exists ? static_cast<std::int64_t>(info.st_size) : -1;
    stamp.inode = stamp.exists ? static_cast<std::uint64_t>(info.st_ino) : 0;
    stamp.modifiedNs = stamp.exists ? Nanoseconds(info.st_mtim) : 0;
    stamp.changedNs = stamp.exists ? Nanoseconds(info.st_ctim) : 0;
}

bool SameMetadata(const FileStamp& a, const FileStamp& b) {
    return a.exists == b.exists && a.size == b.size && a.inode == b.inode && a.modifiedNs == b.modifiedNs &&
           a.changedNs == b.changedNs;
}

}  // namespace

FileStamp FileStamp::Take(const std::string& path, std::string* bytes) {
    FileStamp stamp;
    stamp.path = path;
    ReadMetadata(stamp);
    std::string contents;
    std::string error;
    if (stamp.exists && fw::ReadWholeFile(path, contents, error))
        stamp.digest = QCryptographicHash::hash(QByteArray::fromStdString(contents), QCryptographicHash::Sha256);
    if (bytes) *bytes = std::move(contents);
    return stamp;
}

DiskChange CheckFile(FileStamp& stamp, std::string& bytes) {
    if (stamp.path.empty()) return DiskChange::None;
    FileStamp now;
    now.path = stamp.path;
    ReadMetadata(now);
    if (!now.exists) return stamp.exists ? DiskChange::Removed : DiskChange::None;
    if (SameMetadata(now, stamp)) return DiskChange::None;
    now = FileStamp::Take(stamp.path, &bytes);
    if (stamp.exists && !now.digest.isEmpty() && now.digest == stamp.digest) {
        stamp = now;
        return DiskChange::None;
    }
    return DiskChange::Changed;
}

}  // namespace regsmith::host
