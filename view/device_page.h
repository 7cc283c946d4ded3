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

#include "codegen/fragments.h"
#include "fw/ui.h"
#include "model/crossbar.h"
#include "model/device_data.h"
#include "model/register_fields.h"
#include "model/register_tables.h"
#include "view/nested_sheets.h"

namespace regsmith {

class SheetContext;

// One item of an analog input list (ADC0's multiplexer, the comparator's two
// inputs): its text, its field value shifted down, and its pin (kNoPin for
// an internal input or "None").
struct AnalogInput {
    std::string item;
    std::uint8_t code;
    int pin;
};

// The text under an analog input list for field value `code`: `noPinText`
// for an item without a pin, the pin check for a pin, and the unknown-input
// text for a code no item stands for.
std::string AnalogInputStatus(const std::vector<AnalogInput>& inputs, std::uint8_t code,
                              const PeripheralBlock& portIO, std::string_view noPinText);

class CDevicePage {
public:
    explicit CDevicePage(PeripheralBlock& block) : block_(&block), number_(block.blockNumber) {}
    CDevicePage(PeripheralBlock& block, std::int32_t number) : block_(&block), number_(number) {}
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
    // The same for a field record of the own block (a record of another
    // block's table is refused with std::logic_error, when the page is built).
    bool TestBits(const RegisterField& field) const;
    static bool TestBits(const PeripheralBlock& block, const RegisterField& field);
    void SetBits(bool on, const RegisterField& field);
    // field := value, the value standing where the field does (0x20 in 0x30).
    void ReplaceBits(const RegisterField& field, std::uint8_t value);
    // The field's bits, not shifted.
    std::uint8_t Bits(const RegisterField& field) const;
    void SetValue(int index, std::uint8_t value);
    // The entry itself, or null when the block has no entry `index`.
    RegisterEntry* Entry(int index) const;

    // A wait after entry `index`'s line (an oscillator or comparator settling
    // loop): the block's C prologue declares the loop counter and the
    // entry's after-texts hold the generator's fragment.  Off empties all three.
    void SetWait(int index, Fragment wait, bool on);

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
    // A check box for a one-bit field record, with the record's caption or another.
    fw::CheckBox& BindCheck(fw::Container& parent, const RegisterField& field, bool inverted = false);
    fw::CheckBox& BindCheck(fw::Container& parent, std::string caption, const RegisterField& field,
                            bool inverted = false);
    fw::CheckBox& Bind(fw::CheckBox& box, const RegisterField& field, bool inverted = false);

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
    // Radios for a record's choices; with `captions`, the choices' values
    // under other captions (in the order of the choices); with `choices`,
    // values and captions the page builds (the PCA modes with their pin).
    std::vector<fw::RadioButton*> BindRadios(fw::Container& parent, const RegisterField& field);
    std::vector<fw::RadioButton*> BindRadios(fw::Container& parent, const RegisterField& field,
                                             std::vector<std::string> captions);
    std::vector<fw::RadioButton*> BindRadios(fw::Container& parent, const RegisterField& field,
                                             std::vector<RadioChoice> choices);
    fw::RadioButton& Bind(fw::RadioButton& radio, const RegisterField& field, std::uint8_t value);

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
    // A list of a record's choices, or of items whose codes are the field's
    // values shifted down (the analog inputs of the package).
    fw::DropDownList& BindList(fw::Container& parent, std::string label, const RegisterField& field);
    fw::DropDownList& BindList(fw::Container& parent, std::string label, const RegisterField& field,
                               std::vector<ListChoice> items);

    // A hexadecimal value field for the whole entry (two digits): on every
    // change of its text it validates (with the two warnings), puts the
    // corrected text back, stores the parsed value and refills the summary.
    fw::EditField& BindHex(fw::Container& parent, std::string label, int entry);
    // The same hex behaviour on a field the page created itself; the value
    // goes to `store` instead of an entry.
    static void AttachHexBehaviour(fw::EditField& field, std::function<void(std::uint8_t)> store);
    // A hexadecimal field for part of a register (AD0SC, ADC0CF bits 7-3):
    // it shows the field shifted down; a typed value goes through `store`,
    // which writes the field (by default the value shifted into place).
    fw::EditField& BindHex(fw::Container& parent, std::string label, const RegisterField& field,
                           std::function<void(std::uint8_t)> store = {});

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

    // After a user action: shows every field binding again but those of
    // `acted`, the control just used, so that what its store and the page's
    // rules wrote shows everywhere else.  A hex field keeps its text while
    // the text means the stored value ("1" for 0x01).  The page's own
    // `Bind(control, load, store)` bindings show what their rules set, and
    // are loaded again only after a control that is no binding (a
    // calculator's button, a nested sheet's).
    void ReloadBindings(const fw::Control* acted);

protected:
    // The record, after checking that it is of the own block's table.
    const RegisterField& Own(const RegisterField& field) const;

private:
    PeripheralBlock* block_;
    std::int32_t number_;
    fw::TextBox* summary_ = nullptr;
    struct Binding {
        const fw::Control* control;
        std::function<void()> load;
        std::function<void()> refresh;  // after another control's action; none: not refreshed
    };
    // A field binding: `load` shows the field, and shows it again after
    // every other control's action.
    fw::Control& BindField(fw::Control& control, std::function<void()> load, std::function<void()> store);
    std::vector<Binding> bindings_;
    std::vector<std::function<void()>> displays_;
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
    // The device id of the run's document (0xD0..0xDB).
    std::uint8_t DeviceId() const;

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
    fw::StaticText& BindInterruptStatus(fw::Container& parent, std::string source, const RegisterField& field);
    // An analog input list and the status text under it, which checks the
    // chosen pin on the run's port I/O copy.  A stored code without an item
    // shows no selection and stays until the user picks an input.
    fw::DropDownList& BindInputList(fw::Container& parent, std::string label, const RegisterField& field,
                                    std::vector<AnalogInput> inputs, std::string noPinText);
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
