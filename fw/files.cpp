#include "fw/files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

namespace fw {

namespace {

std::atomic<bool> gRegularFilesOnly{false};
void (*gProgressHook)(std::size_t) = nullptr;
bool gUseUnnamed = true;

// Saves write in pieces, so that a test can interrupt one part-way.
constexpr std::size_t kWritePiece = 1u << 20;

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    void Reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int Get() const { return fd_; }
    // Closes it now; false (errno set) when the system reported an error.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string Cap(std::size_t limit) { return std::to_string(limit / (1024 * 1024)) + " MiB"; }

// Which of the process's own outputs `file` is ("standard output"), or "".
// Reading it would wait for ever on what this program itself writes.
// `opened` is the descriptor the file was opened on, if any: with standard
// output closed, the file itself may have become descriptor 1.
const char* OwnOutput(const struct stat& file, int opened) {
    for (int fd : {1, 2}) {
        struct stat out;
        // A stand-in that takes no output (see ReserveStandardDescriptors).
        if (fd == opened || (::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY) continue;
        if (::fstat(fd, &out) == 0 && out.st_dev == file.st_dev && out.st_ino == file.st_ino)
            return fd == 1 ? "standard output" : "standard error";
    }
    return "";
}

// Whether a file of this kind and size may be read whole; sets `error` if not.
bool MayRead(const struct stat& info, int opened, std::size_t limit, std::string& error) {
    if (S_ISDIR(info.st_mode)) {
        error = "it is a folder, not a file";
        return false;
    }
    if (const char* own = OwnOutput(info, opened); *own) {
        error = std::string("it is this program's own ") + own;
        return false;
    }
    if (!S_ISREG(info.st_mode) && gRegularFilesOnly) {
        const char* kind = S_ISFIFO(info.st_mode)                            ? "a FIFO (named pipe)"
                           : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) ? "a device"
                           : S_ISSOCK(info.st_mode)                          ? "a socket"
                                                                             : "something else";
        error = std::string("it is ") + kind + ", not a regular file";
        return false;
    }
    // A regular file is refused from its size, before anything is read.
    if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > limit) {
        error = "the file is larger than " + Cap(limit);
        return false;
    }
    return true;
}

// ---- What an interrupted save must clean up --------------------------------
//
// One save at a time: the program saves from its main thread only.  The
// handler reads this state, so it holds only what a handler may touch.

struct SaveInProgress {
    volatile sig_atomic_t folder = -1;  // the descriptor of the temporary file's folder
    volatile sig_atomic_t named = 0;    // whether `name` exists there now
    char name[NAME_MAX + 1] = {};
    volatile sig_atomic_t inPlace = 0;  // the file itself is being written: finish first
    volatile sig_atomic_t pending = 0;  // a signal that came meanwhile
};
SaveInProgress gSave;

constexpr int kSaveSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnSaveSignal(int signal) {
    if (gSave.inPlace) {
        gSave.pending = signal;
        return;
    }
    if (gSave.named) ::unlinkat(gSave.folder, gSave.name, 0);
    ::_exit(128 + signal);
}

// Catches the three signals for the length of a save and puts the program's
// own handling back afterwards.  A signal the program ignores stays ignored
// (nohup).
class SaveSignals {
public:
    SaveSignals() {
        gSave.pending = 0;
        struct sigaction action {};
        action.sa_handler = OnSaveSignal;
        sigemptyset(&action.sa_mask);
        for (int signal : kSaveSignals) sigaddset(&action.sa_mask, signal);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < std::size(kSaveSignals); ++i) {
            installed_[i] = false;
            if (::sigaction(kSaveSignals[i], nullptr, &old_[i]) != 0) continue;
            if (!(old_[i].sa_flags & SA_SIGINFO) && old_[i].sa_handler == SIG_IGN) continue;
            installed_[i] = ::sigaction(kSaveSignals[i], &action, nullptr) == 0;
        }
    }
    ~SaveSignals() {
        for (std::size_t i = 0; i < std::size(kSaveSignals); ++i)
            if (installed_[i]) ::sigaction(kSaveSignals[i], &old_[i], nullptr);
    }
    SaveSignals(const SaveSignals&) = delete;
    SaveSignals& operator=(const SaveSignals&) = delete;

    // Ends the program as the signal that came during an in-place write asked.
    static void ExitIfInterrupted() {
        if (const int signal = gSave.pending) ::_exit(128 + signal);
    }

private:
    struct sigaction old_[std::size(kSaveSignals)];
    bool installed_[std::size(kSaveSignals)];
};

// Holds the three signals back while a temporary name appears or goes, so
// that the handler always knows whether it exists.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int signal : kSaveSignals) sigaddset(&set, signal);
        ::pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t old_;
};

void RegisterName(int folder, const std::string& name) {
    std::memcpy(gSave.name, name.c_str(), std::min(name.size() + 1, sizeof gSave.name));
    gSave.name[sizeof gSave.name - 1] = '\0';
    gSave.folder = folder;
    gSave.named = 1;
}

// ---- Writing ---------------------------------------------------------------

// Writes all of `bytes` at the descriptor's position, or at `offset` when it
// is not negative.
bool WriteAll(int fd, const std::string& bytes, std::string& error, off_t offset = -1) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t piece = std::min(kWritePiece, bytes.size() - written);
        const ssize_t n = offset < 0 ? ::write(fd, bytes.data() + written, piece)
                                     : ::pwrite(fd, bytes.data() + written, piece,
                                                offset + static_cast<off_t>(written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? std::strerror(errno) : "nothing more could be written";
            return false;
        }
        written += static_cast<std::size_t>(n);
        if (gProgressHook) gProgressHook(written);
    }
    return true;
}

// The process's own descriptor that a path names ("/dev/stdout",
// "/dev/fd/3", "/proc/self/fd/3"), or -1.  Writing to such a path means
// writing to that descriptor, never replacing whatever file it is open on.
int OwnDescriptor(const std::string& path) {
    if (path == "/dev/stdin") return 0;
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        const std::size_t length = std::strlen(prefix);
        if (path.compare(0, length, prefix) != 0) continue;
        const std::string number = path.substr(length);
        if (number.empty() || number.size() > 6 || number.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        return std::stoi(number);
    }
    return -1;
}

// Follows a chain of symbolic links to the path it finally names, which
// need not exist yet (a dangling link names the file to create).
bool ResolveLinks(std::string& path, std::string& error) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size() - 1);
        if (length < 0) {
            error = std::strerror(errno);
            return false;
        }
        const std::string link(target.data(), static_cast<std::size_t>(length));
        if (!link.empty() && link[0] == '/') {
            path = link;
        } else {
            const std::filesystem::path folder = std::filesystem::path(path).parent_path();
            path = (folder.empty() ? std::filesystem::path(link) : folder / link).string();
        }
    }
    error = "too many levels of symbolic links";
    return false;
}

std::string UniqueCharacters() {
    static const char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 engine{std::random_device{}() ^ (static_cast<std::uint64_t>(::getpid()) << 20)};
    std::string unique(6, 'X');
    for (char& c : unique) c = kCharacters[engine() % (sizeof kCharacters - 1)];
    return unique;
}

// The temporary file a save writes first: unnamed, or under a hidden name in
// the folder of the file it is for.
struct Temporary {
    Descriptor fd;
    std::string name;  // "" while it has none
};

// Gives the temporary file a hidden name of its own in `folder` (creating the
// file when `temp` has no descriptor yet, else linking the unnamed one there):
// the long form, or the short one where the long one does not fit.
bool NameTemporary(int folder, const std::string& fileName, Temporary& temp, std::string& error) {
    int cause = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string unique = UniqueCharacters();
        for (const std::string& name : {AtomicWriteTemporaryName(fileName, unique), ShortTemporaryName(unique)}) {
            SignalsHeld held;
            bool made = false;
            if (temp.fd.Get() < 0) {
                const int fd = ::openat(folder, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOCTTY, 0600);
                if (fd >= 0) temp.fd.Reset(fd);
                made = fd >= 0;
            } else {
                const std::string self = "/proc/self/fd/" + std::to_string(temp.fd.Get());
                made = ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
            }
            if (made) {
                RegisterName(folder, name);
                temp.name = name;
                return true;
            }
            cause = errno;
            if (cause == ENAMETOOLONG) continue;  // the short form next
            if (cause == EEXIST) break;           // other characters
            error = std::strerror(cause);
            return false;
        }
    }
    error = cause == ENAMETOOLONG ? std::strerror(cause) : "no unused temporary file name was found";
    return false;
}

bool ProcFdAvailable() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

bool CreateTemporary(int folder, const std::string& fileName, Temporary& temp, std::string& error) {
    if (gUseUnnamed && ProcFdAvailable()) {
        const int fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            temp.fd.Reset(fd);
            return true;
        }
        // The file system has no unnamed files (or will say why not below).
    }
    return NameTemporary(folder, fileName, temp, error);
}

void RemoveTemporary(int folder, Temporary& temp) {
    if (temp.name.empty()) return;
    SignalsHeld held;
    ::unlinkat(folder, temp.name.c_str(), 0);
    gSave.named = 0;
    temp.name.clear();
}

// Writes `bytes` into the existing file itself, keeping its inode (its other
// links, owner and attributes).  The old content is held until the new one
// is complete and put back on a failure; signals wait until the file is whole.
bool WriteInPlace(const std::string& target, const struct stat& before, const std::string& bytes,
                  std::string& error) {
    Descriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
    struct stat now;
    if (fd.Get() < 0 || ::fstat(fd.Get(), &now) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (now.st_dev != before.st_dev || now.st_ino != before.st_ino || !S_ISREG(now.st_mode)) {
        error = "the file was replaced while it was being saved";
        return false;
    }
    if (static_cast<std::uintmax_t>(now.st_size) > kMaxReadBytes) {
        error = "it has several links or an owner a new file could not keep, and it is larger than " +
                Cap(kMaxReadBytes) + " to be written in place";
        return false;
    }
    std::string old;
    if (!ReadWholeDescriptor(fd.Get(), old, error)) return false;
    gSave.inPlace = 1;
    bool written = WriteAll(fd.Get(), bytes, error, 0);
    if (written && ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0) {
        error = std::strerror(errno);
        written = false;
    }
    if (written && ::fsync(fd.Get()) != 0) {
        error = std::strerror(errno);
        written = false;
    }
    if (!written) {
        std::string ignored;
        const bool restored = WriteAll(fd.Get(), old, ignored, 0) &&
                              ::ftruncate(fd.Get(), static_cast<off_t>(old.size())) == 0 && ::fsync(fd.Get()) == 0;
        error += restored ? " (the file keeps its old content)" : " (its old content could not be put back)";
    }
    gSave.inPlace = 0;
    return written;
}

}  // namespace

// ---- Reading ---------------------------------------------------------------

void ReadRegularFilesOnly(bool only) { gRegularFilesOnly = only; }

void ReserveStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // Opened the wrong way round, so that using it fails as before.
        const int standIn = ::open("/dev/null", (fd == 0 ? O_WRONLY : O_RDONLY) | O_NOCTTY);
        if (standIn >= 0 && standIn != fd) {
            ::dup2(standIn, fd);
            ::close(standIn);
        }
    }
}

bool ReadWholeDescriptor(int fd, std::string& bytes, std::string& error, std::size_t limit) {
    bytes.clear();
    // Devices and pipes have no size: they are read in pieces up to the cap.
    std::vector<char> piece(65536);
    for (;;) {
        const ssize_t n = ::read(fd, piece.data(), piece.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            bytes.clear();
            error = std::strerror(errno);
            return false;
        }
        if (n == 0) return true;
        bytes.append(piece.data(), static_cast<std::size_t>(n));
        if (bytes.size() > limit) {
            bytes.clear();
            error = "the file is larger than " + Cap(limit);
            return false;
        }
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error, std::size_t limit) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && !MayRead(info, -1, limit, error)) return false;
    // Opened without waiting when only regular files are read: a FIFO without
    // a writer would otherwise hold the program here.
    const bool regularOnly = gRegularFilesOnly;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | (regularOnly ? O_NONBLOCK : 0)));
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    // Again on what was opened: the path may name something else by now.
    if (!MayRead(info, fd.Get(), limit, error)) return false;
    if (regularOnly) ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    if (S_ISREG(info.st_mode)) bytes.reserve(static_cast<std::size_t>(info.st_size));
    return ReadWholeDescriptor(fd.Get(), bytes, error, limit);
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    std::string head(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd.Get(), head.data() + got, count - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    head.resize(got);
    return head;
}

// ---- Writing ---------------------------------------------------------------

std::string AtomicWriteTemporaryName(const std::string& fileName, const std::string& unique) {
    return "." + fileName + "." + unique;
}

std::string ShortTemporaryName(const std::string& unique) { return ".regsmith." + unique; }

namespace write_hooks {
void SetProgressHook(void (*hook)(std::size_t written)) { gProgressHook = hook; }
void UseUnnamedTemporaryFiles(bool use) { gUseUnnamed = use; }
}  // namespace write_hooks

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error, bool* couldNotOpen,
                         ExistingFile existing) {
    if (couldNotOpen) *couldNotOpen = true;
    error.clear();
    if (path.empty()) {
        error = "no file name was given";
        return false;
    }
    if (const int own = OwnDescriptor(path); own >= 0) {
        if (couldNotOpen) *couldNotOpen = false;
        return WriteAll(own, bytes, error);
    }
    // A link stays a link: the file it names is written, in that file's folder.
    std::string target = path;
    if (!ResolveLinks(target, error)) return false;
    struct stat info;
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        error = "it is a folder";
        return false;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        // A device, FIFO or socket cannot be replaced by a file: write to it.
        Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
        if (fd.Get() < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (couldNotOpen) *couldNotOpen = false;
        const bool written = WriteAll(fd.Get(), bytes, error);
        if (!fd.Close() && written) {
            error = std::strerror(errno);
            return false;
        }
        return written;
    }
    if (exists && existing == ExistingFile::kRefuse) {
        error = kFileExistsError;
        return false;
    }
    if (exists && ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        // As editors do: a file without write permission is not replaced,
        // even by a user (root) whom the folder would let do it.
        error = (info.st_mode & 0222) == 0 ? "the file is read-only" : std::strerror(errno);
        return false;
    }

    const std::filesystem::path targetPath(target);
    const std::string fileName = targetPath.filename().string();
    if (fileName.empty() || fileName == "." || fileName == "..") {
        error = "it names a folder";
        return false;
    }
    // Every name is taken relative to the folder, so that only the file
    // name's length counts, never the whole path's.
    const std::string folderName = targetPath.has_parent_path() ? targetPath.parent_path().string() : ".";
    Descriptor folder(::open(folderName.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0) {
        error = std::strerror(errno);
        return false;
    }

    SaveSignals signals;
    Temporary temp;
    if (!CreateTemporary(folder.Get(), fileName, temp, error)) return false;
    if (couldNotOpen) *couldNotOpen = false;
    const auto fail = [&](const std::string& cause) {
        error = cause;
        RemoveTemporary(folder.Get(), temp);
        return false;
    };
    if (!WriteAll(temp.fd.Get(), bytes, error)) return fail(error);

    // The replacement keeps the owner, group and permissions of the file it
    // replaces; new files get the usual 0666 less the umask.  Where the
    // owner cannot be kept (another user's file, written by root only), and
    // for a file with several links, the file is written in place instead.
    bool inPlace = exists && info.st_nlink > 1;
    if (exists && !inPlace) {
        struct stat made;
        if (::fstat(temp.fd.Get(), &made) == 0 && (made.st_uid != info.st_uid || made.st_gid != info.st_gid) &&
            ::fchown(temp.fd.Get(), info.st_uid, info.st_gid) != 0)
            inPlace = true;
    }
    mode_t mode = 0;
    if (exists) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(temp.fd.Get(), mode);
    if (::fsync(temp.fd.Get()) != 0) return fail(std::strerror(errno));

    if (inPlace) {
        // The temporary file took the whole content, so there is room for it.
        const bool written = WriteInPlace(target, info, bytes, error);
        RemoveTemporary(folder.Get(), temp);
        SaveSignals::ExitIfInterrupted();
        return written;
    }

    if (temp.name.empty()) {
        // An unnamed file becomes a new file in one step, and never replaces one.
        if (!exists || existing == ExistingFile::kRefuse) {
            const std::string self = "/proc/self/fd/" + std::to_string(temp.fd.Get());
            if (::linkat(AT_FDCWD, self.c_str(), folder.Get(), fileName.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
            if (errno != EEXIST) return fail(std::strerror(errno));
            if (existing == ExistingFile::kRefuse) {
                if (couldNotOpen) *couldNotOpen = true;
                return fail(kFileExistsError);
            }
        }
        // It replaces the file under a name of its own.
        if (!NameTemporary(folder.Get(), fileName, temp, error)) return false;
    } else if (!temp.fd.Close()) {
        return fail(std::strerror(errno));
    }

    SignalsHeld held;
    if (existing == ExistingFile::kRefuse) {
        // Only if nobody created the file meanwhile: of two at once, one wins.
        int result = ::renameat2(folder.Get(), temp.name.c_str(), folder.Get(), fileName.c_str(), RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
            result = ::linkat(folder.Get(), temp.name.c_str(), folder.Get(), fileName.c_str(), 0);
            if (result == 0) ::unlinkat(folder.Get(), temp.name.c_str(), 0);
        }
        if (result != 0) {
            const int cause = errno;
            ::unlinkat(folder.Get(), temp.name.c_str(), 0);
            gSave.named = 0;
            if (cause == EEXIST && couldNotOpen) *couldNotOpen = true;
            error = cause == EEXIST ? kFileExistsError : std::strerror(cause);
            return false;
        }
    } else if (::renameat(folder.Get(), temp.name.c_str(), folder.Get(), fileName.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlinkat(folder.Get(), temp.name.c_str(), 0);
        gSave.named = 0;
        return false;
    }
    gSave.named = 0;
    return true;
}

}  // namespace fw
