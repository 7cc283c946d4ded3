// The one writer of every save: what it does to each kind of target.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
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

}  // namespace
}  // namespace fw
