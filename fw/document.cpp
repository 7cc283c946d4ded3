#include "fw/document.h"

#include <ostream>

#include "fw/app.h"
#include "fw/archive.h"

namespace fw {

bool CDocument::OnNewDocument() {
    pathName_.clear();
    modified_ = false;
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        AfxGetApp()->Platform().MessageBox("Error: Could not open " + path + ": " + error, MessageIcon::Warning,
                                           MessageButtons::Ok);
        return false;
    }
    try {
        CArchive archive(bytes);
        Serialize(archive);
    } catch (const ArchiveError& failure) {
        AfxGetApp()->Platform().MessageBox("Error: Could not read " + path + ": " + failure.what(),
                                           MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    pathName_ = path;
    modified_ = false;
    return true;
}

void CDocument::Serialize(CArchive&) {}

std::string CDocument::SaveState() {
    CArchive archive;
    Serialize(archive);
    return archive.TakeBuffer();
}

bool CDocument::RestoreState(const std::string& state, std::string& error) {
    // A failed read may have changed part of the document: put back what it had.
    const std::string before = SaveState();
    try {
        CArchive archive(state);
        Serialize(archive);
        return true;
    } catch (const std::exception& failure) {
        error = failure.what();
    }
    try {
        CArchive archive(before);
        Serialize(archive);
    } catch (const std::exception&) {
        // Bytes this document wrote a moment ago always read back.
    }
    return false;
}

void CDocument::Dump(std::ostream&, bool) const {}

bool CDocument::WriteDifferences(const CDocument&, std::ostream&) const { return false; }

void CDocument::DumpChanges(std::ostream&) const {}

bool CDocument::RecognisesFile(std::string_view) const { return false; }

bool CDocument::GetOverview(ChipOverview&) const { return false; }

}  // namespace fw
