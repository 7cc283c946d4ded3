#include "fw/document.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <filesystem>
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

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error, std::size_t limit) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = "it is a folder, not a file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    bytes.clear();
    char chunk[65536];
    while (in) {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > limit) {
            error = "the file is larger than " + std::to_string(limit / (1024 * 1024)) + " MiB";
            return false;
        }
    }
    if (in.bad()) {
        error = "read error";
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error, bool* couldNotOpen) {
    if (couldNotOpen) *couldNotOpen = true;
    std::filesystem::path target(path);
    std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    if (couldNotOpen) *couldNotOpen = false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            ::close(fd);
            ::unlink(name.data());
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    // Keep the permissions of the file being replaced; new files get the
    // usual 0666 less the umask rather than mkstemp's 0600.
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        ::fchmod(fd, info.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        error = std::strerror(errno);
        ::unlink(name.data());
        return false;
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(name.data());
        return false;
    }
    return true;
}

}  // namespace fw
