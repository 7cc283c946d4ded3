#include "fw/plugin_loader.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fw {

namespace {

// The processor this program runs on, as an ELF file names it (0: not checked).
constexpr int kOwnMachine =
#if defined(__x86_64__)
    EM_X86_64;
#elif defined(__aarch64__)
    EM_AARCH64;
#elif defined(__i386__)
    EM_386;
#elif defined(__arm__)
    EM_ARM;
#elif defined(__riscv)
    EM_RISCV;
#elif defined(__powerpc64__)
    EM_PPC64;
#else
    0;
#endif

constexpr unsigned char kOwnClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kOwnByteOrder = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

bool ReadAt(int fd, void* data, std::size_t size, off_t offset) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::pread(fd, bytes, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

// Whether `count` bytes from `offset` lie inside a file of `size` bytes.
bool Inside(std::uint64_t offset, std::uint64_t count, std::uint64_t size) {
    return offset <= size && count <= size - offset;
}

}  // namespace

bool CheckPluginFile(const std::string& path, std::string& reason) {
    // Without waiting: a FIFO named like a plug-in must not hold the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = "it is not a regular file";
        return false;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    unsigned char magic[SELFMAG] = {};
    if (size < SELFMAG || !ReadAt(fd, magic, SELFMAG, 0) || std::memcmp(magic, ELFMAG, SELFMAG) != 0) {
        reason = "it is not a shared object (no ELF file)";
        return false;
    }
    ElfW(Ehdr) header{};
    if (size < sizeof header || !ReadAt(fd, &header, sizeof header, 0)) {
        reason = "it is truncated: " + std::to_string(size) + " bytes, shorter than an ELF header";
        return false;
    }
    if (header.e_ident[EI_CLASS] != kOwnClass || header.e_ident[EI_DATA] != kOwnByteOrder ||
        (kOwnMachine != 0 && header.e_machine != kOwnMachine)) {
        reason = "it is built for another processor";
        return false;
    }
    if (header.e_type != ET_DYN) {
        reason = "it is not a shared object (ELF type " + std::to_string(header.e_type) + ")";
        return false;
    }
    if (header.e_phnum == 0 || header.e_phentsize != sizeof(ElfW(Phdr))) {
        reason = "its program headers are damaged";
        return false;
    }
    const std::uint64_t tableSize = std::uint64_t{header.e_phnum} * sizeof(ElfW(Phdr));
    if (!Inside(header.e_phoff, tableSize, size)) {
        reason = "its program headers lie outside the file (" + std::to_string(size) +
                 " bytes): it is truncated or damaged";
        return false;
    }
    std::vector<ElfW(Phdr)> segments(header.e_phnum);
    if (!ReadAt(fd, segments.data(), tableSize, static_cast<off_t>(header.e_phoff))) {
        reason = std::strerror(errno ? errno : EIO);
        return false;
    }
    bool loadable = false;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const ElfW(Phdr)& segment = segments[i];
        if (segment.p_type == PT_LOAD) {
            loadable = true;
            if (segment.p_filesz > segment.p_memsz) {
                reason = "its segment " + std::to_string(i) + " is damaged";
                return false;
            }
        }
        if (segment.p_type != PT_NULL && !Inside(segment.p_offset, segment.p_filesz, size)) {
            reason = "its segment " + std::to_string(i) + " ends at byte " +
                     std::to_string(segment.p_offset + segment.p_filesz) + ", after the end of the file (" +
                     std::to_string(size) + " bytes): it is truncated or damaged";
            return false;
        }
    }
    if (!loadable) {
        reason = "it has no loadable segment";
        return false;
    }
    return true;
}

std::string DefaultPluginFolder() {
    std::error_code code;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", code);
    if (code) return "lib/regsmith/plugins";
    return (exe.parent_path().parent_path() / "lib" / "regsmith" / "plugins").string();
}

bool LoadPlugin(const std::string& path, LoadedPlugin& plugin, std::string& error) {
    std::filesystem::path file(path);
    const std::string name = file.stem().string();
    std::string reason;
    if (!CheckPluginFile(path, reason)) {
        error = path + ": " + reason;
        return false;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = ::dlerror();
        error = path + ": " + (reason ? reason : "cannot be loaded");
        return false;
    }
    const std::string entryName = "Init" + name + "DLL";
    using Entry = void (*)();
    auto entry = reinterpret_cast<Entry>(::dlsym(handle, entryName.c_str()));
    if (!entry || !::dlsym(handle, "GetDLLVersion")) {
        error = path + ": no entry point " + entryName + " or GetDLLVersion";
        ::dlclose(handle);
        return false;
    }
    entry();
    plugin.path = path;
    plugin.name = name;
    plugin.handle = handle;
    return true;
}

PluginLoadReport LoadPlugins(const std::string& folder) {
    PluginLoadReport report;
    std::error_code code;
    std::vector<std::string> files;
    for (std::filesystem::directory_iterator it(folder, code), end; !code && it != end; it.increment(code))
        if (it->path().extension() == ".so") files.push_back(it->path().string());
    if (code) {
        report.errors.push_back(folder + ": " + code.message());
        return report;
    }
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        LoadedPlugin plugin;
        std::string error;
        if (LoadPlugin(file, plugin, error))
            report.loaded.push_back(plugin);
        else
            report.errors.push_back(error);
    }
    if (files.empty()) report.errors.push_back(folder + ": no plug-ins found");
    return report;
}

}  // namespace fw
