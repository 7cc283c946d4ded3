#pragma once
// A read-only text view of a document: the text, its colours and its font, and
// the commands of its window's menu.

#include <functional>
#include <string>
#include <vector>

#include "fw/commands.h"
#include "fw/platform.h"

namespace fw {

class CDocument;
struct ReportContent;

class CView {
public:
    virtual ~CView() = default;

    CDocument* GetDocument() const { return document_; }
    void AttachDocument(CDocument* document) { document_ = document; }

    const std::string& GetText() const { return text_; }
    const std::vector<ColourRange>& GetColours() const { return colours_; }
    const FontSpec& GetFont() const { return font_; }

    // Replaces the whole text (and its colours) and tells the listener.
    void SetText(std::string text, std::vector<ColourRange> colours = {});
    void SetColours(std::vector<ColourRange> colours);
    void SetFont(FontSpec font) { font_ = std::move(font); }

    // Called whenever the text or its colours change (the host repaints).
    std::function<void()> onTextChanged;

    // First fill of the window.
    virtual void OnInitialUpdate() {}
    // The window became active (true) or inactive (false).
    virtual void OnActivateView(bool active) { (void)active; }
    // Menu commands: true if handled.  Unhandled commands go to the document.
    virtual bool OnCommand(int id) { (void)id; return false; }
    virtual bool OnUpdateCommand(int id, CommandState& state) const {
        (void)id;
        (void)state;
        return false;
    }

    // The configuration report's content (fw/report.h) for this window's
    // document: facts, overview, settings and the source as shown.  False
    // for a view that knows no device.  The caller sets the file name and date.
    virtual bool GetReportContent(ReportContent& content) {
        (void)content;
        return false;
    }

private:
    CDocument* document_ = nullptr;
    std::string text_;
    std::vector<ColourRange> colours_;
    FontSpec font_;
};

}  // namespace fw
