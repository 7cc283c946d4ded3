#pragma once
// The page kit: CDevicePage, the base of every peripheral page, holds the
// page's own block copy, the register bit operations, the register summary
// box and the bindings between controls and register fields; CDevicePropPage
// adds the property page and runs the page's lifecycle.
//
// A control is bound to its register field once.  The kit then loads it when
// the page is first shown and on every activation, stores it on every user
// action, resets the page's registers on the sheet's Reset, and after every
// user action on the page (bound or not, nested sheets included) refreshes
// the computed displays and the summary box.  A page keeps only what a
// binding cannot say: greying rules, forced values, calculators, messages.
//
// docs/architecture.md shows a complete page and lists the bindings.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fw/ui.h"
#include "model/crossbar.h"
#include "model/device_data.h"
#include "model/register_tables.h"
#include "view/nested_sheets.h"

namespace regsmith {

class SheetContext;

class CDevicePage {
public:
    explicit CDevicePage(PeripheralBlock& block) : block_(&block) {}
    virtual ~CDevicePage() = default;
    CDevicePage(const CDevicePage&) = delete;
    CDevicePage& operator=(const CDevicePage&) = delete;

    // The page's own block copy.
    PeripheralBlock& Block() const { return *block_; }

    // Bit operations on the value of entry `index` of the own block.  An index
    // the block does not hold (an empty block from an old project) reads as 0
    // and ignores writes, so pages show the all-clear state.
    void SetBits(bool on, int index, std::uint8_t mask);
    bool TestBits(int index, std::uint8_t mask) const;
    // The same on another block's copy (Copy(kBlockInterrupts)); an entry
    // the block lacks reads as 0.
    static bool TestBits(const PeripheralBlock& block, int index, std::uint8_t mask);
    void ReplaceBits(int index, std::uint8_t clearMask, std::uint8_t setBits);
    // ((value AND mask) >> shift) as two upper-case hex digits.
    std::string FieldHex(int index, std::uint8_t mask, int shift) const;
    std::uint8_t Value(int index) const;
    void SetValue(int index, std::uint8_t value);
    // The entry itself, or null when the block has no entry `index`.
    RegisterEntry* Entry(int index) const;

    // A wait after entry `index`'s line (an oscillator or comparator settling
    // loop): the block's C prologue declares the loop counter and the
    // entry's C and assembly after-texts hold the loop.  Off empties all three.
    void SetWaitTexts(int index, bool on, std::string_view afterC, std::string_view afterAsm);

    // value := resetValue for every entry, or for the listed entries.
    void ResetRegisters();
    void ResetRegisters(std::initializer_list<int> indexes);

    // The register summary box text: the own block's emitted lines in C form.
    std::string RegisterPreview() const;

    // Adds the read-only register summary box (named "Register Summary") to
    // `parent`; RefreshSummary refills it from RegisterPreview.
    fw::TextBox& AddSummaryBox(fw::Container& parent);
    void RefreshSummary();
    fw::TextBox* SummaryBox() const { return summary_; }

    // ---- Bindings ---------------------------------------------------------
    // Each binds a control to a field of the own block: loading shows the
    // field (no handler runs), a user action stores it at once.  The control
    // is returned so a page can add its own rule with Then().

    // Checked when (value AND mask) is not 0 (is 0 when `inverted`).
    fw::CheckBox& BindCheck(fw::Container& parent, std::string caption, int entry, std::uint8_t mask,
                            bool inverted = false);
    fw::CheckBox& Bind(fw::CheckBox& box, int entry, std::uint8_t mask, bool inverted = false);

    // Pressed when (value AND mask) is not 0; the caption follows the state
    // when captions are given ("D" pressed, "A" released).
    fw::ToggleButton& Bind(fw::ToggleButton& toggle, int entry, std::uint8_t mask, const char* pressedCaption = nullptr,
                           const char* releasedCaption = nullptr);

    // Radio buttons for the values of one field: the button whose value
    // equals (value AND mask) is checked on loading; when none does, the
    // radios stay as they are.  A click writes its value into the field.
    struct RadioChoice {
        std::string caption;
        std::uint8_t value;
    };
    std::vector<fw::RadioButton*> BindRadios(fw::Container& parent, int entry, std::uint8_t mask,
                                             std::vector<RadioChoice> choices);
    fw::RadioButton& Bind(fw::RadioButton& radio, int entry, std::uint8_t mask, std::uint8_t value);

    // A drop-down list whose item index is the field's value ((value AND
    // mask) shifted down to bit 0), or, with codes, the item whose code is
    // the field's value (shifted the same way).  A field value without an
    // item leaves the list without a selection.
    fw::DropDownList& BindList(fw::Container& parent, std::string label, int entry, std::uint8_t mask,
                               std::vector<std::string> items);
    struct ListChoice {
        std::string item;
        std::uint8_t code;
    };
    fw::DropDownList& BindList(fw::Container& parent, std::string label, int entry, std::uint8_t mask,
                               std::vector<ListChoice> items);
    // The same on a list the page filled itself; `codes[i]` is the field
    // value of item i (no codes: the item index is the value).
    fw::DropDownList& Bind(fw::DropDownList& list, int entry, std::uint8_t mask, std::vector<std::uint8_t> codes = {});

    // A hexadecimal value field for the whole entry (two digits): on every
    // change of its text it validates (with the two warnings), puts the
    // corrected text back, stores the parsed value and refills the summary.
    fw::EditField& BindHex(fw::Container& parent, std::string label, int entry);
    // The same hex behaviour on a field the page created itself; the value
    // goes to `store` instead of an entry.
    static void AttachHexBehaviour(fw::EditField& field, std::function<void(std::uint8_t)> store);
    // Shows entry `index` in the hex field bound to it ("%02X").
    void LoadHexField(int index);

    // Read-only texts computed from the copies and clock words (a baud rate,
    // a status line): refreshed on loading and after every user action.
    fw::EditField& BindDisplay(fw::Container& parent, std::string label, std::function<std::string()> text);
    fw::StaticText& BindStatus(fw::Container& parent, std::function<std::string()> text);
    // Any control whose text or state follows the registers: `update` runs
    // on loading and after every user action.
    void BindUpdate(std::function<void()> update);

    // Any other control: `load` shows the registers in it (no handler runs),
    // `store` writes a user action into them.
    fw::Control& Bind(fw::Control& control, std::function<void()> load, std::function<void()> store);

    // Adds `rule` to the control's handler, after what the binding stores.
    static void Then(fw::Control& control, std::function<void()> rule);

    // Loads every binding and display and refills the summary box.
    void LoadBindings();
    // Refreshes the displays and the summary box (after every user action).
    void RefreshDisplays();

    // Device id of the document of the host's active view (0xD0..0xDB).
    static std::uint8_t GetActiveDeviceId();

private:

    PeripheralBlock* block_;
    fw::TextBox* summary_ = nullptr;
    std::vector<std::function<void()>> bindings_;  // the loads
    std::vector<std::function<void()>> displays_;
    std::vector<std::pair<int, fw::EditField*>> hexFields_;
};

// The property page of every peripheral page: a CDevicePage on one block
// copy of a sheet run, with the lifecycle run by the kit:
//   first display: OnFirstDisplay (model-dependent visibility), then Load;
//   every activation: Load;
//   the sheet's Reset (after the question was answered Yes): ResetPage, then Load;
//   every user action: the binding's store, the page's rules, then the
//   displays and the summary box.
// Load is BeforeLoad, the bindings, AfterLoad, the displays, the summary box.
class CDevicePropPage : public fw::PropertyPage, public CDevicePage {
public:
    // `ownBlock` is the block number of the page's own copy in `sheet`.
    CDevicePropPage(std::string title, SheetContext& sheet, std::int32_t ownBlock);

    void OnInitDialog() override;
    bool OnSetActive() override;
    void OnReset() override;

    // The sheet run the page belongs to.
    SheetContext& Sheet() const { return *sheet_; }
    // The run's copy of block `number` (another peripheral's block).
    PeripheralBlock& Copy(std::int32_t number) const;

    void Load();

protected:
    virtual void OnFirstDisplay() {}
    virtual void BeforeLoad() {}
    virtual void AfterLoad() {}
    // What Reset restores: every entry of the own block by default.
    virtual void ResetPage() { ResetRegisters(); }

    // A push button running `onClick`.
    fw::PushButton& AddButton(fw::Container& parent, std::string caption, std::function<void()> onClick);
    // A push button opening a nested sheet of the table in view/nested_sheets.h
    // on this page's run; `afterOk` runs when that sheet was accepted.  The
    // button is disabled while the nested sheet's pages are not registered.
    fw::PushButton& AddNestedSheetButton(fw::Container& parent, std::string caption, NestedSheet which,
                                         std::function<void()> afterOk = {});
    fw::PushButton& BindNestedSheet(fw::PushButton& button, NestedSheet which, std::function<void()> afterOk = {});

    // The status lines of another peripheral's settings:
    // "<source> Interrupt is Enabled" or "... Disabled" from a bit of the
    // run's interrupts copy, and "<signal> is Enabled on the Crossbar" or
    // "<signal> is <notEnabled> on the Crossbar" from its port I/O copy.
    fw::StaticText& BindInterruptStatus(fw::Container& parent, std::string source, int entry, std::uint8_t mask);
    fw::StaticText& BindCrossbarStatus(fw::Container& parent, std::string signal, CrossbarPeripheral peripheral,
                                       const char* notEnabled = "Disabled");
    fw::DialogResult RunNested(NestedSheet which);

private:
    SheetContext* sheet_;
    std::vector<std::pair<fw::PushButton*, NestedSheet>> nestedButtons_;
};


// The hex value field rules.  ValidateHexField trims blanks, removes every
// character that is not 0-9 or A-F with the warning "Error: Invalid HEX
// Character." (once per character removed), then cuts what is left to
// `maxDigits` with the warning "Error: Exceeded Size For Initial Value.".
// Returns false when the text had to be corrected (`text` then holds the
// correction; empty when no digit was left, and a field then keeps its
// earlier text and value).
bool ValidateHexField(std::string& text, int maxDigits);
// Trims blanks, left-pads with 0 to `width` and adds up the digits; characters
// other than 1-9 and A-F count as 0.
std::uint32_t ParseHexField(const std::string& text, int width);

inline constexpr const char* kSummaryBoxName = "Register Summary";
inline constexpr const char* kExceededSizeWarning = "Error: Exceeded Size For Initial Value.";
inline constexpr const char* kInvalidHexWarning = "Error: Invalid HEX Character.";

}  // namespace regsmith
