#include "fw/document.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <filesystem>
#include <climits>
#include <unistd.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

#include "fw/app.h"
#include "fw/archive.h"

namespace fw {

bool CDocument::OnNewDocument() {
    pathName_.clear();
    modified_ = false;
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        AfxGetApp()->Platform().MessageBox("Error: Could not open " + path + ": " + error, MessageIcon::Warning,
                                           MessageButtons::Ok);
        return false;
    }
    try {
        CArchive archive(bytes);
        Serialize(archive);
    } catch (const ArchiveError& failure) {
        AfxGetApp()->Platform().MessageBox("Error: Could not read " + path + ": " + failure.what(),
                                           MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    pathName_ = path;
    modified_ = false;
    return true;
}

void CDocument::Serialize(CArchive&) {}

std::string CDocument::SaveState() {
    CArchive archive;
    Serialize(archive);
    return archive.TakeBuffer();
}

bool CDocument::RestoreState(const std::string& state, std::string& error) {
    // A failed read may have changed part of the document: put back what it had.
    const std::string before = SaveState();
    try {
        CArchive archive(state);
        Serialize(archive);
        return true;
    } catch (const std::exception& failure) {
        error = failure.what();
    }
    try {
        CArchive archive(before);
        Serialize(archive);
    } catch (const std::exception&) {
        // Bytes this document wrote a moment ago always read back.
    }
    return false;
}

void CDocument::Dump(std::ostream&, bool) const {}

bool CDocument::WriteDifferences(const CDocument&, std::ostream&) const { return false; }

void CDocument::DumpChanges(std::ostream&) const {}

bool CDocument::RecognisesFile(std::string_view) const { return false; }

bool CDocument::GetOverview(ChipOverview&) const { return false; }

namespace {

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

bool WriteAll(int fd, const std::string& bytes, std::string& error) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
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

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error, std::size_t limit) {
    const std::string cap = std::to_string(limit / (1024 * 1024)) + " MiB";
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            error = "it is a folder, not a file";
            return false;
        }
        // A regular file is refused from its size, before anything is read.
        if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > limit) {
            error = "the file is larger than " + cap;
            return false;
        }
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    bytes.clear();
    // Devices and pipes have no size: they are read in chunks up to the cap.
    char chunk[65536];
    while (in) {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > limit) {
            bytes.clear();
            error = "the file is larger than " + cap;
            return false;
        }
    }
    if (in.bad()) {
        error = "read error";
        return false;
    }
    return true;
}

std::string AtomicWriteTemporaryName(const std::string& fileName, const std::string& unique) {
    return "." + fileName + "." + unique;
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    std::ifstream in(path, std::ios::binary);
    std::string head(count, '\0');
    in.read(head.data(), static_cast<std::streamsize>(count));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error, bool* couldNotOpen) {
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
    // A link stays a link: the file it names is replaced, in that file's folder.
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
        const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (couldNotOpen) *couldNotOpen = false;
        const bool written = WriteAll(fd, bytes, error);
        if (::close(fd) != 0 && written) {
            error = std::strerror(errno);
            return false;
        }
        return written;
    }
    if (exists && ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        // As editors do: a file without write permission is not replaced,
        // even by a user (root) whom the folder would let do it.
        error = (info.st_mode & 0222) == 0 ? "the file is read-only" : std::strerror(errno);
        return false;
    }

    std::filesystem::path targetPath(target);
    std::filesystem::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / AtomicWriteTemporaryName(targetPath.filename().string())).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    if (couldNotOpen) *couldNotOpen = false;
    if (!WriteAll(fd, bytes, error)) {
        ::close(fd);
        ::unlink(name.data());
        return false;
    }
    // Keep the permissions of the file being replaced; new files get the
    // usual 0666 less the umask rather than mkstemp's 0600.
    if (exists) {
        ::fchmod(fd, info.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    const bool synced = ::fsync(fd) == 0;
    if (!synced) error = std::strerror(errno);
    if (::close(fd) != 0 && synced) error = std::strerror(errno);
    if (!error.empty()) {
        ::unlink(name.data());
        return false;
    }
    if (::rename(name.data(), target.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(name.data());
        return false;
    }
    return true;
}

}  // namespace fw
