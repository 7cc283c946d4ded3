#pragma once
// Document base: a path name, a title and a modified flag, with the
// new/open/save steps a device document overrides.

#include <iosfwd>
#include <string>

#include "fw/commands.h"

namespace fw {

class CArchive;
class CView;

class CDocument {
public:
    virtual ~CDocument() = default;

    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(const std::string& path) { pathName_ = path; }
    // The window title: the file name of the path, or the new-file name.
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    // The one view showing this document (one code window per project).
    CView* GetView() const { return view_; }
    void AttachView(CView* view) { view_ = view; }

    // Base new-document step: empties path and modified flag.
    virtual bool OnNewDocument();
    // Reads the file at `path` through Serialize.  On failure shows the cause
    // in a message box and returns false; the caller then discards the
    // document.
    virtual bool OnOpenDocument(const std::string& path);
    virtual void Serialize(CArchive& archive);

    // The document's whole state as bytes, for undo and crash recovery.  By
    // default what Serialize stores: for a project, its project-file bytes.
    virtual std::string SaveState();
    // Puts back a state that SaveState gave (or a project file's bytes).  On
    // failure the document keeps the state it had and `error` says why.
    virtual bool RestoreState(const std::string& state, std::string& error);

    // Document commands (Save Project, Save Project As, ...): true if handled.
    virtual bool OnCommand(int id) { (void)id; return false; }
    virtual bool OnUpdateCommand(int id, CommandState& state) const {
        (void)id;
        (void)state;
        return false;
    }

    // Human-readable description of everything the document holds, for
    // diagnostics (`regsmith-cli dump`).  The default writes nothing.
    virtual void Dump(std::ostream& out, bool json) const;

private:
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
    CView* view_ = nullptr;
};

// Reads a whole file into memory, refusing files larger than `limit` bytes.
// Returns false and sets `error` when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                   std::size_t limit = 64u * 1024u * 1024u);

// Writes `bytes` to a temporary file in the target's folder and renames it over
// `path` only once everything was written, so a failure never leaves a
// half-written file behind.  Returns false and sets `error` on failure;
// `couldNotOpen` tells whether the failure happened at the very start.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error,
                         bool* couldNotOpen = nullptr);

}  // namespace fw
