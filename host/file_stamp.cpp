#include "host/file_stamp.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

#include "fw/document.h"
#include "host/text.h"

namespace regsmith::host {

namespace {

void ReadMetadata(FileStamp& stamp) {
    const QFileInfo info(Q(stamp.path));
    stamp.exists = info.isFile();
    stamp.size = stamp.exists ? info.size() : -1;
    stamp.modifiedMs = stamp.exists ? info.lastModified().toMSecsSinceEpoch() : 0;
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
    if (stamp.exists && now.size == stamp.size && now.modifiedMs == stamp.modifiedMs) return DiskChange::None;
    now = FileStamp::Take(stamp.path, &bytes);
    if (stamp.exists && now.digest == stamp.digest && !now.digest.isEmpty()) {
        stamp = now;
        return DiskChange::None;
    }
    return DiskChange::Changed;
}

}  // namespace regsmith::host
