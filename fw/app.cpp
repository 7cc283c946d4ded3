#include "fw/app.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "fw/ui.h"

namespace fw {

namespace {

// Answers every question with No and every sheet with Cancel, and reports
// message boxes on stderr: what runs when no host has set a platform.
class HeadlessPlatform : public PlatformServices {
public:
    DialogResult MessageBox(const std::string& text, MessageIcon, MessageButtons buttons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return buttons == MessageButtons::Ok ? DialogResult::Ok : DialogResult::No;
    }
    DialogResult RunModal(PropertySheet&) override { return DialogResult::Cancel; }
    DialogResult RunModal(Dialog&) override { return DialogResult::Cancel; }
    std::optional<std::string> SaveFileDialog(const SaveFileRequest&) override { return std::nullopt; }
    PrintResult Print(const PrintRequest&) override { return PrintResult::NoPrinter; }
    bool OpenWithDefaultApplication(const std::string&) override { return false; }
};

HeadlessPlatform headlessPlatform;
CWinApp* theApp = nullptr;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trim(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

CWinApp::CWinApp() : platform_(&headlessPlatform) { theApp = this; }

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

CWinApp* AfxGetApp() { return theApp; }

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate) {
    if (docTemplate) templates_.push_back(std::move(docTemplate));
}

const CDocTemplate* CWinApp::FindTemplate(const std::string& model) const {
    const std::string wanted = Lower(Trim(model));
    for (const auto& docTemplate : templates_) {
        if (Lower(Trim(docTemplate->GetDocString(CDocTemplate::docName))) == wanted ||
            Lower(docTemplate->GetDocString(CDocTemplate::fileNewName)) == wanted)
            return docTemplate.get();
    }
    return nullptr;
}

void CWinApp::AddToRecentFileList(const std::string& path) {
    recentFiles_.erase(std::remove(recentFiles_.begin(), recentFiles_.end(), path), recentFiles_.end());
    recentFiles_.insert(recentFiles_.begin(), path);
    if (recentFiles_.size() > 4) recentFiles_.resize(4);
}

void CWinApp::RemoveFromRecentFileList(const std::string& path) {
    recentFiles_.erase(std::remove(recentFiles_.begin(), recentFiles_.end(), path), recentFiles_.end());
}

}  // namespace fw
