#pragma once
// Finds and loads device plug-ins.  A plug-in file "NAME.so" exports
// "InitNAMEDLL" (which registers its templates on the application object) and
// "GetDLLVersion".

#include <string>
#include <vector>

namespace fw {

struct LoadedPlugin {
    std::string path;
    std::string name;
    void* handle = nullptr;
};

struct PluginLoadReport {
    std::vector<LoadedPlugin> loaded;
    std::vector<std::string> errors;  // one line per plug-in that failed
};

// The plug-in folder of an installation: <folder of the executable>/../lib/regsmith/plugins.
std::string DefaultPluginFolder();

// Whether the file at `path` can be handed to the dynamic loader: a regular
// file holding a shared object for this processor whose program headers and
// segments all lie inside the file.  A truncated or damaged file would crash
// the program in the loader.  Sets `reason` when not.
bool CheckPluginFile(const std::string& path, std::string& reason);

// Loads one plug-in file (once CheckPluginFile passed it) and calls its
// initialisation entry.
bool LoadPlugin(const std::string& path, LoadedPlugin& plugin, std::string& error);

// Loads every "*.so" of `folder` in name order.
PluginLoadReport LoadPlugins(const std::string& folder);

}  // namespace fw
