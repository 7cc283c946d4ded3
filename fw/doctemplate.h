#pragma once
// Document templates: a resource id, the template string and factories for the
// document and its view.  The host creates and opens documents only through
// the templates a plug-in registered.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/commands.h"
#include "fw/document.h"
#include "fw/view.h"

namespace fw {

// A document with its one view, as a window shows them.
struct OpenDocument {
    std::unique_ptr<CDocument> document;
    std::unique_ptr<CView> view;
};

class CDocTemplate {
public:
    enum DocStringIndex { windowTitle = 0, docName = 1, fileNewName = 2 };

    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CDocTemplate(int resourceId, std::string templateString, DocumentFactory documentFactory,
                 ViewFactory viewFactory, MenuResource menu = {});
    virtual ~CDocTemplate() = default;

    int GetResourceId() const { return resourceId_; }
    const std::string& GetTemplateString() const { return templateString_; }
    // The template string's fields, separated by line feeds.
    std::string GetDocString(DocStringIndex index) const;
    const MenuResource& GetMenu() const { return menu_; }

    // Facts a plug-in attaches to its template for the host's lists
    // ("deviceId" -> "0xD0").  Empty if not set.
    void SetAttribute(const std::string& key, std::string value);
    std::string GetAttribute(const std::string& key) const;

    // Creates a new document and its view: OnNewDocument, then the view's
    // initial update.  Empty result if OnNewDocument fails.
    OpenDocument CreateNewDocument() const;
    // Opens a project file; empty result if the document refused it (the
    // document has reported why).
    OpenDocument OpenDocumentFile(const std::string& path) const;
    // The same for a document that is only looked at (dump, diff): it also
    // reads files the document refuses to open for editing.
    OpenDocument InspectDocumentFile(const std::string& path) const;
    // Whether the regular file at `path` holds a document of this template's
    // kind (its first bytes say so); false for anything else or no file.
    bool RecognisesFile(const std::string& path) const;

private:
    OpenDocument Create() const;
    OpenDocument Open(const std::string& path, bool inspection) const;

    int resourceId_;
    std::string templateString_;
    DocumentFactory documentFactory_;
    ViewFactory viewFactory_;
    MenuResource menu_;
    std::vector<std::pair<std::string, std::string>> attributes_;
};

// The toolkit's multiple-document template.
using CMultiDocTemplate = CDocTemplate;

}  // namespace fw
