#pragma once
// The host application object: the registered document templates, the
// platform services and the active view.  Plug-ins reach it with AfxGetApp().

#include <memory>
#include <string>
#include <vector>

#include "fw/doctemplate.h"
#include "fw/platform.h"

namespace fw {

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetTemplates() const { return templates_; }
    // The template whose document name (or new-file name) equals `model`,
    // compared case-insensitively; null if none.
    const CDocTemplate* FindTemplate(const std::string& model) const;

    PlatformServices& Platform() const { return *platform_; }
    void SetPlatform(PlatformServices* platform) { platform_ = platform; }

    // The view of the active window, or null.
    CView* GetActiveView() const { return activeView_; }
    void SetActiveView(CView* view) { activeView_ = view; }

    void AddToRecentFileList(const std::string& path);
    void RemoveFromRecentFileList(const std::string& path);
    const std::vector<std::string>& GetRecentFiles() const { return recentFiles_; }

    // Where the user guide lives (set by the host).
    const std::string& GetHelpFilePath() const { return helpFilePath_; }
    void SetHelpFilePath(const std::string& path) { helpFilePath_ = path; }

private:
    std::vector<std::unique_ptr<CDocTemplate>> templates_;
    PlatformServices* platform_ = nullptr;
    CView* activeView_ = nullptr;
    std::vector<std::string> recentFiles_;
    std::string helpFilePath_;
};

// The one application object of the process (created by the host before it
// loads plug-ins).  Null before that.
CWinApp* AfxGetApp();

}  // namespace fw
