#pragma once
// Whole-file reads and writes that never lose anything: reads are bounded and
// never wait on the program's own output; a save never leaves a half-written
// file behind under any name, also when the program is interrupted.

#include <cstddef>
#include <string>

namespace fw {

// The most any whole-file read takes in by default (a project's cap).
inline constexpr std::size_t kMaxReadBytes = 64u * 1024u * 1024u;

// Reads a whole file into memory, refusing files larger than `limit` bytes
// (a regular file from its size, before reading; a device or pipe once that
// much was read).  A file that is the program's own standard output or error
// is refused (reading it would wait for ever on what this program writes), and
// so is every FIFO, device or socket once ReadRegularFilesOnly(true) was
// called.  Returns false and sets `error` when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                   std::size_t limit = kMaxReadBytes);

// Reads what the open descriptor `fd` (standard input) holds, up to `limit`.
bool ReadWholeDescriptor(int fd, std::string& bytes, std::string& error, std::size_t limit = kMaxReadBytes);

// Gives each standard descriptor (0, 1, 2) that the program was started
// without a stand-in on /dev/null that fails every read or write with "Bad
// file descriptor", as the closed one would.  Otherwise the first file the
// program opens takes that number, and output meant for standard output
// would go into it.  Call first thing in main.
void ReserveStandardDescriptors();

// From now on, whole-file reads take regular files only and refuse a FIFO,
// device or socket at once, without waiting for a writer: for the desktop
// program, whose window must never hang on a pipe nobody writes to.
void ReadRegularFilesOnly(bool only);

// The first `count` bytes (or fewer) of the regular file at `path`; empty
// for anything else (a folder, a device, a FIFO, a missing file), which is
// never waited on.  For telling what a file holds from its head.
std::string ReadFileHead(const std::string& path, std::size_t count);

// What WriteFileAtomically does with a regular file already at the path.
enum class ExistingFile {
    kReplace,  // replace it (keeping its links and owner, see below)
    kRefuse,   // create the file exclusively: fail with kFileExistsError if it exists or appears meanwhile
};

// The cause WriteFileAtomically gives when it refused an existing file.
inline constexpr const char* kFileExistsError = "the file exists already";

// Writes `bytes` to `path` so that a failure never leaves a half-written file
// behind.  A regular file is written completely to a temporary file in its
// folder first (unnamed where the file system allows; else a hidden name that
// fits whenever the file's own name does), which then takes the file's place
// in one step; its permissions are kept, and so is its owner and group where
// the program may set them.  A file with several hard links, or whose owner or
// group a replacement could not keep, is written in place after the temporary
// file took the whole content, so the links and the owner stay (a failure puts
// the old content back; such a file must not exceed kMaxReadBytes).  A
// symbolic link stays a link: the file it names is written.  A device, FIFO or
// socket is written to directly, and "/dev/stdout", "/dev/fd/N" or
// "/proc/self/fd/N" write to the process's own descriptor.  A file without
// write permission (read-only mode) is refused, as editors do.
//
// SIGINT, SIGTERM or SIGHUP during the write remove the temporary file and end
// the program with status 128 + the signal's number; during an in-place write
// they wait until the file is complete.  A signal the program ignores stays
// ignored.
//
// Returns false and sets `error` to the cause on failure; `couldNotOpen`
// tells whether the failure happened before anything was written.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error,
                         bool* couldNotOpen = nullptr, ExistingFile existing = ExistingFile::kReplace);

// The name of the temporary file WriteFileAtomically writes a file named
// `fileName` (no folder) through, in the same folder: "." + fileName + "." +
// `unique`, six characters that make it unique.  A glob such as "*" instead
// matches the leftovers an interrupted write may leave, and `fileName` may
// hold a glob too.  Where that name would be too long for the file system,
// the writer uses ShortTemporaryName(unique) instead.
std::string AtomicWriteTemporaryName(const std::string& fileName, const std::string& unique = "XXXXXX");
std::string ShortTemporaryName(const std::string& unique = "XXXXXX");

// Hooks for the tests of the writer.
namespace write_hooks {
// Called after each piece of a save's content was written (to the temporary
// or, in place, to the file) with the bytes written so far; nullptr for none.
void SetProgressHook(void (*hook)(std::size_t written));
// Whether unnamed temporary files may be used (they are by default).
void UseUnnamedTemporaryFiles(bool use);
}  // namespace write_hooks

}  // namespace fw
