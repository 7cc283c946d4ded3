#pragma once
// A scratch folder for the files of one test: a new empty folder under the
// system's temporary folder, removed at the end unless the test keeps it to
// be looked at after a failure.

#include <filesystem>
#include <string>

namespace regsmith::testing {

class ScratchFolder {
public:
    // Named "regsmith-NAME-XXXXXX" ('/' in NAME becomes '-').
    explicit ScratchFolder(const std::string& name = "test");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A path inside the folder.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // The folder stays after the test.
    void Keep() { keep_ = true; }

private:
    std::filesystem::path path_;
    bool keep_ = false;
};

}  // namespace regsmith::testing
