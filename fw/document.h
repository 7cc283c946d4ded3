#pragma once
// Document base: a path name, a title and a modified flag, with the
// new/open/save steps a device document overrides.

#include <iosfwd>
#include <string>
#include <string_view>

#include "fw/commands.h"
#include "fw/files.h"

namespace fw {

class CArchive;
class CView;
struct ChipOverview;

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

    // A document opened only to be looked at (dump, diff) also reads files
    // it refuses to open for editing, such as a project of a model this
    // release does not know.  Set before the open.
    bool IsOpenedForInspection() const { return inspection_; }
    void SetOpenedForInspection(bool inspection = true) { inspection_ = inspection; }

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

    // The device model the document is for ("QK750"), as its template's
    // new-file name gives it; empty when the document cannot tell.  A
    // project opened from a file has the model the file names, whichever
    // template opened it.
    virtual std::string GetModelName() const { return {}; }

    // Human-readable description of everything the document holds, for
    // diagnostics (`regsmith-cli dump`).  The default writes nothing.
    virtual void Dump(std::ostream& out, bool json) const;
    // What differs between this document and `other`, one line each, for
    // `regsmith-cli diff`; false when nothing differs.  The default knows no
    // contents and finds nothing.
    virtual bool WriteDifferences(const CDocument& other, std::ostream& out) const;
    // What differs from a new document of the same kind (`dump --changed`),
    // or a line saying that nothing does.
    virtual void DumpChanges(std::ostream& out) const;
    // Whether a file starting with `firstBytes` holds a document of this
    // kind (also one written by a newer release), so that tools can refuse
    // to write anything else over it.
    virtual bool RecognisesFile(std::string_view firstBytes) const;
    // The pins, clocks and problems of the configuration (fw/overview.h),
    // computed afresh; false, leaving `overview` as it was, for a document
    // that knows no device.
    virtual bool GetOverview(ChipOverview& overview) const;

private:
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
    bool inspection_ = false;
    CView* view_ = nullptr;
};

}  // namespace fw
