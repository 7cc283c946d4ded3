#include "host/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

#include "fw/document.h"
#include "host/text.h"

namespace regsmith::host {

namespace {

constexpr int kRecordFormat = 1;
const char* const kSessionPrefix = "session-";

}  // namespace

QByteArray EncodeRecord(const RecoveryRecord& record) {
    QJsonObject object;
    object["format"] = kRecordFormat;
    object["model"] = Q(record.model);
    object["path"] = Q(record.path);
    object["title"] = Q(record.title);
    object["written"] = record.written.toUTC().toString(Qt::ISODateWithMs);
    object["state"] = QString::fromLatin1(QByteArray::fromStdString(record.state).toBase64());
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool DecodeRecord(const QByteArray& bytes, RecoveryRecord& record, QString& error) {
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (!document.isObject()) {
        error = parse.error != QJsonParseError::NoError ? parse.errorString() : QString("not a JSON object");
        return false;
    }
    const QJsonObject object = document.object();
    if (object["format"].toInt() != kRecordFormat) {
        error = "unknown format";
        return false;
    }
    const QJsonValue state = object["state"];
    if (!state.isString()) {
        error = "no project state";
        return false;
    }
    const auto decoded = QByteArray::fromBase64Encoding(state.toString().toLatin1(),
                                                         QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        error = "the project state is damaged";
        return false;
    }
    record.model = S(object["model"].toString());
    record.path = S(object["path"].toString());
    record.title = S(object["title"].toString());
    record.written = QDateTime::fromString(object["written"].toString(), Qt::ISODateWithMs);
    record.state = decoded.decoded.toStdString();
    return true;
}

QString RecoveryStore::DefaultFolder() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.local/state";
    return QDir::cleanPath(base + "/regsmith/recovery");
}

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {}

RecoveryStore::~RecoveryStore() {
    claimed_.clear();
    lock_.reset();  // unlocks and removes the lock file
}

bool RecoveryStore::Start(QString& error) {
    if (lock_) return true;
    if (!QDir().mkpath(folder_)) {
        error = "cannot create the folder " + folder_;
        return false;
    }
    // Recovery files hold the user's work: for the user's eyes only.
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Unique among running programs (the process id) and within one.
    static int sessions = 0;
    session_ = QString("%1%2-%3-%4")
                   .arg(kSessionPrefix)
                   .arg(QCoreApplication::applicationPid())
                   .arg(QDateTime::currentMSecsSinceEpoch())
                   .arg(++sessions);
    auto lock = std::make_unique<QLockFile>(folder_ + "/" + session_ + ".lock");
    // Only a process that is gone leaves a stale lock, however long ago it
    // was taken.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        error = "cannot lock " + folder_ + "/" + session_ + ".lock";
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

bool RecoveryStore::Write(QString& file, const RecoveryRecord& record, QString& error) {
    if (!lock_) {
        error = "crash recovery is not running";
        return false;
    }
    if (file.isEmpty()) file = folder_ + QString("/%1-%2.json").arg(session_).arg(nextFile_++);
    std::string failure;
    if (!fw::WriteFileAtomically(S(file), EncodeRecord(record).toStdString(), failure)) {
        error = Q(failure);
        return false;
    }
    return true;
}

void RecoveryStore::Remove(const QString& file) {
    if (!file.isEmpty()) QFile::remove(file);
}

QString RecoveryStore::SessionOf(const QString& fileName) const {
    // "session-PID-TIME-COUNT-N.json" -> "session-PID-TIME-COUNT"
    const int last = fileName.lastIndexOf('-');
    return last > 0 ? fileName.left(last) : QString();
}

RecoveryStore::Orphans RecoveryStore::ClaimOrphans() {
    Orphans orphans;
    const QDir folder(folder_);
    const QStringList files = folder.entryList({QString(kSessionPrefix) + "*.json"}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        const QString session = SessionOf(name);
        if (session.isEmpty() || session == session_) continue;
        auto claimed = std::find_if(claimed_.begin(), claimed_.end(),
                                    [&](const auto& entry) { return entry.first == session; });
        if (claimed == claimed_.end()) {
            // A session's lock that can be taken belongs to a program that is gone.
            auto lock = std::make_unique<QLockFile>(folder.filePath(session + ".lock"));
            lock->setStaleLockTime(0);
            if (!lock->tryLock(0)) continue;  // still running
            claimed_.emplace_back(session, std::move(lock));
        }
        const QString path = folder.filePath(name);
        std::string bytes;
        std::string error;
        RecoveryRecord record;
        QString decodeError;
        if (!fw::ReadWholeFile(S(path), bytes, error, kMaxRecoveryFileBytes) ||
            !DecodeRecord(QByteArray::fromStdString(bytes), record, decodeError)) {
            orphans.unreadable << path;
            continue;
        }
        orphans.records.emplace_back(path, std::move(record));
    }
    std::stable_sort(orphans.records.begin(), orphans.records.end(),
                     [](const auto& a, const auto& b) { return a.second.written < b.second.written; });
    return orphans;
}

void RecoveryStore::DiscardClaimed() {
    const QDir folder(folder_);
    for (auto& [session, lock] : claimed_) {
        // Its recovery files, and the temporary files of a write the crash interrupted.
        const QStringList names =
            folder.entryList({session + "-*.json", Q(fw::AtomicWriteTemporaryName(S(session) + "-*.json", "*"))},
                             QDir::Files | QDir::Hidden);
        for (const QString& name : names) QFile::remove(folder.filePath(name));
        lock.reset();  // removes the lock file
    }
    claimed_.clear();
}

}  // namespace regsmith::host
