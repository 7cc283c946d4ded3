// The one writer of every save: what it does to each kind of target.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "fw/document.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/files.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using regsmith::testing::ReadFile;
using regsmith::testing::ScratchFolder;
using regsmith::testing::WriteFile;

mode_t Mode(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

TEST(WriteFile, EachKindOfTargetIsWrittenOrRefusedSafely) {
    struct Case {
        const char* name;
        std::function<void(ScratchFolder&)> setUp;  // builds "target" (and what it points to)
        bool written;
        const char* error;            // the cause, when refused
        const char* expectedTarget;   // bytes the file behind "target" then holds
    };
    const Case cases[] = {
        {"new file", [](ScratchFolder&) {}, true, "", "new"},
        {"existing file", [](ScratchFolder& f) { WriteFile(f.File("target"), "old"); }, true, "", "new"},
        {"read-only file",
         [](ScratchFolder& f) {
             WriteFile(f.File("target"), "old");
             ::chmod(f.File("target").c_str(), 0444);
         },
         false, "the file is read-only", "old"},
        {"link to a file",
         [](ScratchFolder& f) {
             WriteFile(f.File("real"), "old");
             fs::create_symlink("real", f.File("target"));
         },
         true, "", "new"},
        {"dangling link", [](ScratchFolder& f) { fs::create_symlink("real", f.File("target")); }, true, "", "new"},
        {"link to a read-only file",
         [](ScratchFolder& f) {
             WriteFile(f.File("real"), "old");
             ::chmod(f.File("real").c_str(), 0444);
             fs::create_symlink(f.File("real"), f.File("target"));
         },
         false, "the file is read-only", "old"},
        {"folder", [](ScratchFolder& f) { fs::create_directory(f.File("target")); }, false, "it is a folder", ""},
        {"missing folder", [](ScratchFolder& f) { fs::create_symlink("none/real", f.File("target")); }, false,
         "No such file or directory", ""},
        {"link loop", [](ScratchFolder& f) { fs::create_symlink("target", f.File("target")); }, false,
         "too many levels of symbolic links", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        c.setUp(folder);
        const std::string target = folder.File("target");
        const bool wasLink = S_ISLNK(Mode(target));
        std::string error;
        bool couldNotOpen = false;
        EXPECT_EQ(WriteFileAtomically(target, "new", error, &couldNotOpen), c.written);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(couldNotOpen, !c.written);
        // A link stays a link; the bytes are behind it.
        EXPECT_EQ(S_ISLNK(Mode(target)), wasLink);
        if (*c.expectedTarget) {
            EXPECT_EQ(ReadFile(target), c.expectedTarget);
        }
        // No temporary file is left behind.
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
    }
}

TEST(WriteFile, KeepsThePermissionsOfTheFileItReplaces) {
    ScratchFolder folder;
    const std::string path = folder.File("init.c");
    WriteFile(path, "old");
    ::chmod(path.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "new", error)) << error;
    EXPECT_EQ(Mode(path) & 07777, 0640u);
}

TEST(WriteFile, DevicesAndFifosAreWrittenToNotReplaced) {
    std::string error;
    EXPECT_TRUE(WriteFileAtomically("/dev/null", "bytes", error)) << error;
    EXPECT_TRUE(S_ISCHR(Mode("/dev/null")));
    EXPECT_FALSE(WriteFileAtomically("", "bytes", error));
    EXPECT_EQ(error, "no file name was given");

    ScratchFolder folder;
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadFile(fifo); });
    EXPECT_TRUE(WriteFileAtomically(fifo, "through the pipe", error)) << error;
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(Mode(fifo)));

    // "/dev/fd/N" is the process's own descriptor N, whatever file it is open on.
    const std::string file = folder.File("descriptor");
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(WriteFileAtomically("/dev/fd/" + std::to_string(fd), "via fd", error)) << error;
    ::close(fd);
    EXPECT_EQ(ReadFile(file), "via fd");
}

TEST(ReadWholeFile, RefusesFoldersAndFilesAboveTheCapBeforeReading) {
    ScratchFolder folder;
    std::string bytes, error;
    EXPECT_FALSE(ReadWholeFile(folder.Path(), bytes, error));
    EXPECT_EQ(error, "it is a folder, not a file");
    // A sparse file larger than the cap: refused from its size alone.
    const std::string big = folder.File("big.rsg");
    WriteFile(big, "");
    fs::resize_file(big, 2u * 1024 * 1024);
    EXPECT_FALSE(ReadWholeFile(big, bytes, error, 1024 * 1024));
    EXPECT_EQ(error, "the file is larger than 1 MiB");
    EXPECT_TRUE(bytes.empty());
    // A device without end is read up to the cap only.
    EXPECT_FALSE(ReadWholeFile("/dev/zero", bytes, error, 1024 * 1024));
    EXPECT_EQ(error, "the file is larger than 1 MiB");
}

// The names in a folder.
std::set<std::string> Names(const ScratchFolder& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path())) names.insert(entry.path().filename().string());
    return names;
}

// Runs each case once with unnamed temporary files and once with named ones.
class Temporaries : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { write_hooks::UseUnnamedTemporaryFiles(GetParam()); }
    void TearDown() override {
        write_hooks::UseUnnamedTemporaryFiles(true);
        write_hooks::SetProgressHook(nullptr);
    }
};
INSTANTIATE_TEST_SUITE_P(WriteFile, Temporaries, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

TEST_P(Temporaries, NamesUpToTheLongestLegalOneAreWrittenAndReplaced) {
    ScratchFolder folder;
    for (std::size_t length : {1u, 247u, 248u, 252u, 255u}) {
        SCOPED_TRACE(length);
        const std::string path = folder.File(std::string(length, 'n'));
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path, "first", error)) << error;
        ASSERT_TRUE(WriteFileAtomically(path, "second", error)) << error;
        EXPECT_EQ(ReadFile(path), "second");
        EXPECT_EQ(Names(folder), std::set<std::string>{std::string(length, 'n')});
        fs::remove(path);
    }
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(folder.File(std::string(256, 'n')), "x", error));
    EXPECT_EQ(error, "File name too long");
    EXPECT_TRUE(Names(folder).empty());
}

TEST_P(Temporaries, AnExclusiveCreateNeverReplacesAFile) {
    ScratchFolder folder;
    const std::string path = folder.File("q.rsg");
    std::string error;
    bool couldNotOpen = false;
    ASSERT_TRUE(WriteFileAtomically(path, "mine", error, &couldNotOpen, ExistingFile::kRefuse)) << error;
    EXPECT_FALSE(WriteFileAtomically(path, "theirs", error, &couldNotOpen, ExistingFile::kRefuse));
    EXPECT_EQ(error, kFileExistsError);
    EXPECT_TRUE(couldNotOpen);
    EXPECT_EQ(ReadFile(path), "mine");

    // Another writer creates the file while this one writes: this one loses.
    static std::string racePath;
    racePath = folder.File("race.rsg");
    write_hooks::SetProgressHook([](std::size_t) {
        write_hooks::SetProgressHook(nullptr);
        WriteFile(racePath, "the other one");
    });
    EXPECT_FALSE(WriteFileAtomically(racePath, "this one", error, nullptr, ExistingFile::kRefuse));
    EXPECT_EQ(error, kFileExistsError);
    EXPECT_EQ(ReadFile(racePath), "the other one");
    EXPECT_EQ(Names(folder), (std::set<std::string>{"q.rsg", "race.rsg"}));
}

TEST_P(Temporaries, HardLinksAndTheOwnerAreKept) {
    ScratchFolder folder;
    const std::string path = folder.File("init.c"), other = folder.File("other-name.c");
    WriteFile(path, "old text, longer than the new one");
    ::chmod(path.c_str(), 0640);
    fs::create_hard_link(path, other);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "new", error)) << error;
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(ReadFile(other), "new");
    EXPECT_EQ(fs::hard_link_count(path), 2u);
    EXPECT_EQ(Mode(path) & 07777, 0640u);
    EXPECT_EQ(Names(folder), (std::set<std::string>{"init.c", "other-name.c"}));

    // Root writing over another user's file: it stays that user's.
    if (::geteuid() != 0) GTEST_SKIP() << "changing a file's owner needs root";
    const std::string theirs = folder.File("theirs.c");
    WriteFile(theirs, "old");
    ASSERT_EQ(::chown(theirs.c_str(), 4321, 8765), 0);
    ASSERT_TRUE(WriteFileAtomically(theirs, "new", error)) << error;
    struct stat info;
    ASSERT_EQ(::stat(theirs.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
    EXPECT_EQ(ReadFile(theirs), "new");
}

// A save interrupted part-way: the signal is raised from inside the write
// (after the given piece), in a child process whose exit is then looked at.
TEST_P(Temporaries, AnInterruptedSaveLeavesNothingBehindAndExitsWithTheSignal) {
    struct Case {
        int signal;
        bool hardLinked;  // written in place: the signal waits for the whole file
    };
    const std::string content(3u << 20, 'n');  // three pieces
    for (const Case c : {Case{SIGTERM, false}, Case{SIGINT, false}, Case{SIGHUP, false}, Case{SIGTERM, true}}) {
        SCOPED_TRACE(std::to_string(c.signal) + (c.hardLinked ? " hard-linked" : ""));
        ScratchFolder folder;
        const std::string path = folder.File("copy.rsg");
        WriteFile(path, "old");
        if (c.hardLinked) fs::create_hard_link(path, folder.File("link.rsg"));
        static int signalToRaise, raiseAfter, pieces;
        signalToRaise = c.signal;
        // The temporary takes three pieces; in place, the fourth is the file's first.
        raiseAfter = c.hardLinked ? 4 : 2;
        pieces = 0;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            write_hooks::SetProgressHook([](std::size_t) {
                if (++pieces == raiseAfter) ::raise(signalToRaise);
            });
            std::string error;
            WriteFileAtomically(path, content, error);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 128 + c.signal);
        EXPECT_EQ(ReadFile(path), c.hardLinked ? content : "old");
        EXPECT_EQ(Names(folder), c.hardLinked ? (std::set<std::string>{"copy.rsg", "link.rsg"})
                                              : std::set<std::string>{"copy.rsg"});
    }
}

TEST(ReadWholeFile, NeverWaitsOnItsOwnOutputOrOnAPipeWhenOnlyRegularFilesAreRead) {
    std::string bytes, error;
    for (const char* own : {"/dev/stdout", "/proc/self/fd/1"}) {
        EXPECT_FALSE(ReadWholeFile(own, bytes, error)) << own;
        EXPECT_EQ(error, "it is this program's own standard output");
    }
    ScratchFolder folder;
    const std::string fifo = folder.File("fifo.rsg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ReadRegularFilesOnly(true);
    EXPECT_FALSE(ReadWholeFile(fifo, bytes, error));
    EXPECT_EQ(error, "it is a FIFO (named pipe), not a regular file");
    EXPECT_FALSE(ReadWholeFile("/dev/zero", bytes, error));
    EXPECT_EQ(error, "it is a device, not a regular file");
    WriteFile(folder.File("p.rsg"), "bytes");
    EXPECT_TRUE(ReadWholeFile(folder.File("p.rsg"), bytes, error)) << error;
    EXPECT_EQ(bytes, "bytes");
    ReadRegularFilesOnly(false);
    // Nor does a look at a file's head.
    EXPECT_EQ(ReadFileHead(fifo, 16), "");

    // Standard input and other pipes are read to their end.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "piped", 5), 5);
    ::close(ends[1]);
    EXPECT_TRUE(ReadWholeDescriptor(ends[0], bytes, error)) << error;
    ::close(ends[0]);
    EXPECT_EQ(bytes, "piped");
}

}  // namespace
}  // namespace fw
