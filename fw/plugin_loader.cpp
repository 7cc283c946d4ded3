#include "fw/plugin_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace fw {

std::string DefaultPluginFolder() {
    std::error_code code;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", code);
    if (code) return "lib/regsmith/plugins";
    return (exe.parent_path().parent_path() / "lib" / "regsmith" / "plugins").string();
}

bool LoadPlugin(const std::string& path, LoadedPlugin& plugin, std::string& error) {
    std::filesystem::path file(path);
    const std::string name = file.stem().string();
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
