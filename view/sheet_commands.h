#pragma once
// The Peripherals sheet commands: which sheet each command opens, which block
// copies it hands its pages and what it writes back; the registry through
// which each page group says which pages its sheet has; and nested sheets.
//
// A page group registers its pages once (from InitK74x_75xDLL):
//
//   RegisterSheetPages(ID_PERIPHERALS_INTERRUPTS, {
//       PageOf<CIntEnablePropPage>(interrupts::kEnablePageTitle),
//       PageOf<CIntPriorityPropPage>(interrupts::kPriorityPageTitle),
//       PageOf<CInt01ConfigPropPage>(interrupts::kInt01ConfigPageTitle),
//   });
//
// A command whose pages are not registered is disabled in the menu.  Each
// page is built from the run's SheetContext: Block(n) is the one copy of block
// n that every page of the run shares, Clocks() the document's own clock
// words (references write through at once).  A page that opens nested sheets
// keeps the SheetContext& it was built with: it lives as long as the sheet.
//
// "Configure ..." buttons open nested sheets by naming a row of the table in
// view/nested_sheets.h.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fw/ui.h"
#include "model/device_document.h"

namespace regsmith {

class CDeviceDlg;

// The block copies and clock words of one sheet run.
class SheetContext {
public:
    explicit SheetContext(CDeviceDocument& document) : document_(&document) {}
    // A nested sheet's context: shares every copy `outer` holds.
    explicit SheetContext(SheetContext& outer) : document_(outer.document_), blocks_(outer.blocks_) {}
    SheetContext(const SheetContext&) = delete;
    SheetContext& operator=(const SheetContext&) = delete;

    CDeviceDocument& Document() const { return *document_; }
    // The document's own clock words (not copies).
    ClockSettings& Clocks() const { return document_->clocks; }

    // The copy of block `number`; copied out of the document (FromDocument)
    // the first time it is asked for.
    PeripheralBlock& Block(std::int32_t number);
    // What a sheet copies out of the document for block `number`: the
    // document's block (GetBlock), completed from the register tables where
    // it lacks entries (a project without that block), so that an edit is
    // kept and OK writes the whole block.  The missing entries start at
    // their reset values, which is what the project generates without them.
    PeripheralBlock FromDocument(std::int32_t number) const;
    // Takes a fresh copy of block `number` from the document; it replaces the
    // copy this context used under that number (an outer sheet's copy stays
    // as it is).
    PeripheralBlock& CopyOut(std::int32_t number);
    // Makes `copy` this context's copy of block `number`.
    void Share(std::int32_t number, PeripheralBlock& copy) { blocks_[number] = &copy; }
    // Replaces the content of this context's copy of block `number` with the
    // document's block, in place, so every page holding the copy sees it.
    PeripheralBlock& Reload(std::int32_t number);
    bool Holds(std::int32_t number) const { return blocks_.count(number) != 0; }

private:
    CDeviceDocument* document_;
    std::map<std::int32_t, PeripheralBlock*> blocks_;
    std::vector<std::unique_ptr<PeripheralBlock>> owned_;
};

using PageFactory = std::function<std::unique_ptr<fw::PropertyPage>(SheetContext&)>;

struct PageRegistration {
    std::string title;  // the tab title
    PageFactory create;
};

// The registration of a page class built from the sheet run:
// `PageOf<CUart0PropPage>("UART0")`.
template <class Page>
PageRegistration PageOf(std::string title) {
    return {std::move(title), [](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                return std::make_unique<Page>(sheet);
            }};
}

// Says which pages (in tab order) the sheet of a Peripherals command has.
// Registering again replaces the list.  Each page also becomes available to
// nested sheets by its tab title.
void RegisterSheetPages(int command, std::vector<PageRegistration> pages);
bool HasSheetPages(int command);
// The registration of the page with that tab title, or null.
const PageRegistration* FindRegisteredPage(const std::string& title);
// Forgets every registration (tests).
void ClearSheetRegistry();

// One row of the table of Peripherals commands.
struct SheetCommandSpec {
    int command;
    const char* menuText;  // with its mnemonic ("&Port I/O"); found without the '&'

    const char* title;
    std::vector<std::int32_t> copiedOut;    // in this order
    std::vector<std::int32_t> writtenOnOk;  // in this order
    bool restoresOscillatorClocks = false;  // sysclk and externalOscFrequency on Cancel
};
const std::vector<SheetCommandSpec>& SheetCommands();
const SheetCommandSpec* FindSheetCommand(int command);

// Runs the sheet of a Peripherals command on `document`: copies the blocks
// out, builds the pages, runs the sheet modally and writes back on OK
// (Oscillators restores its clock words on Cancel).  Marks the document
// modified when the run changed it.  Does not regenerate the code window;
// the view does.  Cancel when the command has no registered pages.
fw::DialogResult RunSheetCommand(int command, CDeviceDocument& document);

// Nested sheets.  Builds a CDeviceDlg with the registered pages of those tab
// titles on `context`, runs it and on OK writes the copies of `writtenOnOk`
// into the document at once.  `restoresOscillatorClocks` puts sysclk and
// externalOscFrequency back on Cancel (the Oscillators sheet opened from a
// page).  Cancel without showing anything when a page is not registered.
fw::DialogResult RunNestedSheet(const std::string& title, const std::vector<std::string>& pageTitles,
                                SheetContext& context, const std::vector<std::int32_t>& writtenOnOk,
                                bool restoresOscillatorClocks = false);
// The same for a sheet whose pages the caller built itself.
fw::DialogResult RunNestedSheet(CDeviceDlg& sheet, SheetContext& context,
                                const std::vector<std::int32_t>& writtenOnOk, bool restoresOscillatorClocks = false);
// Whether every one of those pages is registered (to enable a button).
bool PagesRegistered(const std::vector<std::string>& pageTitles);

// Builds the sheet of every Peripherals command that has pages on copies of
// `document`'s blocks, displays each page once in tab order (as opening the
// sheet and clicking every tab would) and hands it to `visit`.  Writes
// nothing back: the document, its clock words and its modified flag stay as
// they were.  For reading what every page shows (the configuration report).
void VisitSheetPages(CDeviceDocument& document,
                     const std::function<void(const SheetCommandSpec& sheet, fw::PropertyPage& page)>& visit);

// The document of the innermost sheet command or nested sheet that is
// running, or null.
CDeviceDocument* RunningSheetDocument();

}  // namespace regsmith
