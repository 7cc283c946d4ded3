#pragma once
// A platform that records message boxes and answers the save-file dialog from
// a preset path, plus a scratch folder removed at the end of a test.

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fw/platform.h"

namespace regsmith::testing {

class RecordingPlatform : public fw::PlatformServices {
public:
    std::vector<std::string> messages;
    std::vector<fw::SaveFileRequest> saveRequests;
    std::optional<std::string> saveAnswer;  // no value: the user cancels

    fw::DialogResult MessageBox(const std::string& text, fw::MessageIcon, fw::MessageButtons) override {
        messages.push_back(text);
        return fw::DialogResult::Ok;
    }
    fw::DialogResult RunModal(fw::PropertySheet&) override { return fw::DialogResult::Cancel; }
    fw::DialogResult RunModal(fw::Dialog&) override { return fw::DialogResult::Cancel; }
    std::optional<std::string> SaveFileDialog(const fw::SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return saveAnswer;
    }
    fw::PrintResult Print(const fw::PrintRequest&) override { return fw::PrintResult::NoPrinter; }
    bool OpenWithDefaultApplication(const std::string&) override { return false; }
};

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "regsmith-test-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (std::filesystem::path(path_) / name).string(); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace regsmith::testing
