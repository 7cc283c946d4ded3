// Damaged plug-in files are refused before the dynamic loader sees them.

#include <gtest/gtest.h>

#include <elf.h>
#include <link.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "fw/plugin_loader.h"
#include "tests/support/files.h"
#include "tests/support/scratch_folder.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using regsmith::testing::ReadFile;
using regsmith::testing::ScratchFolder;
using regsmith::testing::WriteFile;

// The bytes of the plug-in the build made.
std::string RealPlugin() {
    for (const auto& entry : fs::directory_iterator(REGSMITH_PLUGIN_DIR))
        if (entry.path().extension() == ".so") return ReadFile(entry.path().string());
    return {};
}

// `bytes` with its ELF header changed by `change`.
std::string Patched(std::string bytes, const std::function<void(ElfW(Ehdr)&)>& change) {
    ElfW(Ehdr) header;
    std::memcpy(&header, bytes.data(), sizeof header);
    change(header);
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

TEST(PluginFile, DamagedFilesAreRefusedWithTheReason) {
    const std::string real = RealPlugin();
    ASSERT_GT(real.size(), 8192u);
    struct Case {
        const char* name;
        std::string bytes;
        std::string reason;  // its beginning; "" for a file that passes
    };
    const Case cases[] = {
        {"whole", real, ""},
        {"cut at 5000 bytes", real.substr(0, 5000), "its segment "},
        {"cut inside the header", real.substr(0, 40), "it is truncated: 40 bytes, shorter than an ELF header"},
        {"text", "not a library\n", "it is not a shared object (no ELF file)"},
        {"empty", "", "it is not a shared object (no ELF file)"},
        {"executable", Patched(real, [](auto& h) { h.e_type = ET_EXEC; }), "it is not a shared object (ELF type 2)"},
        {"other processor", Patched(real, [](auto& h) { h.e_machine = EM_SPARC; }),
         "it is built for another processor"},
        {"headers beyond the end", Patched(real, [](auto& h) { h.e_phoff = 0x7fffffff0000; }),
         "its program headers lie outside the file"},
        {"header size", Patched(real, [](auto& h) { h.e_phentsize = 3; }), "its program headers are damaged"},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.File("K.so");
        WriteFile(path, c.bytes);
        std::string reason;
        EXPECT_EQ(CheckPluginFile(path, reason), c.reason.empty());
        EXPECT_EQ(reason.substr(0, c.reason.size()), c.reason) << reason;
    }
    // A cut file names where its segment would end.
    std::string reason;
    WriteFile(folder.File("K.so"), real.substr(0, 5000));
    CheckPluginFile(folder.File("K.so"), reason);
    EXPECT_NE(reason.find(", after the end of the file (5000 bytes): it is truncated or damaged"), std::string::npos)
        << reason;
}

TEST(PluginFile, TheLoaderGoesOnPastDamagedFilesAndNeverWaitsOnAFifo) {
    ScratchFolder folder;
    WriteFile(folder.File("A.so"), RealPlugin().substr(0, 5000));
    ASSERT_EQ(::mkfifo(folder.File("B.so").c_str(), 0600), 0);
    const PluginLoadReport report = LoadPlugins(folder.Path().string());
    EXPECT_TRUE(report.loaded.empty());
    ASSERT_EQ(report.errors.size(), 2u);
    EXPECT_EQ(report.errors[0].rfind(folder.File("A.so") + ": its segment ", 0), 0u) << report.errors[0];
    EXPECT_EQ(report.errors[1], folder.File("B.so") + ": it is not a regular file");
}

}  // namespace
}  // namespace fw
