#pragma once
// Crash recovery: while a project has unsaved changes its state is kept in a
// recovery file in the user's state folder ($XDG_STATE_HOME/regsmith/recovery,
// by default ~/.local/state/regsmith/recovery), never beside or over the
// user's own file.  Each running program holds a lock file for its session;
// recovery files of a session whose lock is no longer held (the program
// crashed or was killed) are offered at the next start.  A save or a close
// removes a project's recovery file; a normal exit leaves none behind.

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace regsmith::host {

// One recovery file: enough to bring the project back as it was.
struct RecoveryRecord {
    std::string model;  // the document template's model name ("QK750")
    std::string path;   // the project's file, empty for a project never saved
    std::string title;  // the window title
    QDateTime written;
    std::string state;  // the document's state (project-file bytes)
};

// Recovery files are small; anything far larger is not one of ours.
inline constexpr std::size_t kMaxRecoveryFileBytes = 16u * 1024u * 1024u;

// The recovery file's text (JSON with the state in base64) and back.
QByteArray EncodeRecord(const RecoveryRecord& record);
bool DecodeRecord(const QByteArray& bytes, RecoveryRecord& record, QString& error);

class RecoveryStore {
public:
    // $XDG_STATE_HOME/regsmith/recovery, or ~/.local/state/regsmith/recovery
    // when the variable is unset or not an absolute path.
    static QString DefaultFolder();

    explicit RecoveryStore(QString folder);
    ~RecoveryStore();  // ends the session: releases its lock

    // Creates the folder (readable by the user only) and takes this
    // session's lock.  False with the cause in `error`.
    bool Start(QString& error);

    // Writes a project's recovery file atomically.  `file` names it; an empty
    // `file` gets a new name of this session.  False with the cause in `error`.
    bool Write(QString& file, const RecoveryRecord& record, QString& error);
    void Remove(const QString& file);

    // Recovery files of sessions that ended without cleaning up.  Their
    // sessions are claimed (no other program offers them meanwhile) until
    // Release().  Files that cannot be read are listed in `unreadable`.
    struct Orphans {
        std::vector<std::pair<QString, RecoveryRecord>> records;  // file, contents; oldest first
        QStringList unreadable;
    };
    Orphans ClaimOrphans();
    // Removes every claimed session's files and lock.
    void DiscardClaimed();
    // Gives the claimed sessions back untouched, to be offered again later.
    void ReleaseClaimed() { claimed_.clear(); }

private:
    QString SessionOf(const QString& fileName) const;

    QString folder_;
    QString session_;
    std::unique_ptr<QLockFile> lock_;
    int nextFile_ = 1;
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> claimed_;  // session, its lock
};

}  // namespace regsmith::host
