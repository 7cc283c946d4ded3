#include "fw/doctemplate.h"



namespace fw {

CDocTemplate::CDocTemplate(int resourceId, std::string templateString, DocumentFactory documentFactory,
                           ViewFactory viewFactory, MenuResource menu)
    : resourceId_(resourceId),
      templateString_(std::move(templateString)),
      documentFactory_(std::move(documentFactory)),
      viewFactory_(std::move(viewFactory)),
      menu_(std::move(menu)) {}

std::string CDocTemplate::GetDocString(DocStringIndex index) const {
    std::size_t start = 0;
    for (int field = 0; field < index; ++field) {
        std::size_t end = templateString_.find('\n', start);
        if (end == std::string::npos) return {};
        start = end + 1;
    }
    std::size_t end = templateString_.find('\n', start);
    return templateString_.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void CDocTemplate::SetAttribute(const std::string& key, std::string value) {
    for (auto& attribute : attributes_)
        if (attribute.first == key) {
            attribute.second = std::move(value);
            return;
        }
    attributes_.emplace_back(key, std::move(value));
}

std::string CDocTemplate::GetAttribute(const std::string& key) const {
    for (const auto& attribute : attributes_)
        if (attribute.first == key) return attribute.second;
    return {};
}

OpenDocument CDocTemplate::Create() const {
    OpenDocument result;
    result.document = documentFactory_();
    result.view = viewFactory_();
    result.document->AttachView(result.view.get());
    result.view->AttachDocument(result.document.get());
    return result;
}

OpenDocument CDocTemplate::CreateNewDocument() const {
    OpenDocument result = Create();
    if (!result.document->OnNewDocument()) return {};
    result.document->SetTitle(GetDocString(fileNewName));
    result.view->OnInitialUpdate();
    return result;
}

OpenDocument CDocTemplate::OpenDocumentFile(const std::string& path) const { return Open(path, false); }

OpenDocument CDocTemplate::InspectDocumentFile(const std::string& path) const { return Open(path, true); }

OpenDocument CDocTemplate::Open(const std::string& path, bool inspection) const {
    OpenDocument result = Create();
    result.document->SetOpenedForInspection(inspection);
    if (!result.document->OnOpenDocument(path)) return {};
    std::size_t slash = path.find_last_of('/');
    result.document->SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
    result.view->OnInitialUpdate();
    return result;
}

bool CDocTemplate::RecognisesFile(const std::string& path) const {
    const std::unique_ptr<CDocument> document = documentFactory_();
    return document->RecognisesFile(ReadFileHead(path, 64));
}

}  // namespace fw
