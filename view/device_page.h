#pragma once
// CDevicePage: the second base of every peripheral page.  It holds the
// reference to the page's own block copy and offers the register bit
// operations, the register summary box and the hexadecimal value fields.
//
// How a page is written (a small but complete example):
//
//   // pages/example/example_page.h
//   class CExamplePropPage : public fw::PropertyPage, public CDevicePage {
//   public:
//       // Own block first; further copies and clock words as the page needs.
//       CExamplePropPage(PeripheralBlock& own, PeripheralBlock& interrupts, std::uint32_t& sysclk)
//           : fw::PropertyPage("Example"), CDevicePage(own), interrupts_(interrupts), sysclk_(sysclk) {
//           auto& group = Root().Add<fw::GroupBox>("Example Control");
//           enable_ = &group.Add<fw::CheckBox>("Enable Example");
//           enable_->onChange = [this] {
//               SetBits(enable_->IsChecked(), kRegCtl, 0x80);  // write the copy at once
//               RefreshSummary();
//           };
//           AddHexField(group, "EXAMPLE Value (Hex):", kRegValue);  // both warnings, stores, refreshes
//           AddSummaryBox(Root());  // the read-only box along the bottom edge
//       }
//       void OnInitDialog() override { Load(); }
//       bool OnSetActive() override { Load(); return true; }   // pages sharing a copy see each other
//       void OnReset() override {                              // the sheet asked already; Yes was answered
//           ResetRegisters();                                   // or ResetRegisters({kRegCtl})
//           Load();
//       }
//   private:
//       void Load() {
//           enable_->SetChecked(TestBits(kRegCtl, 0x80));        // loading runs no handler
//           LoadHexField(kRegValue);
//           RefreshSummary();
//       }
//       static constexpr int kRegCtl = 0, kRegValue = 1;  // entry indexes in the own block
//       PeripheralBlock& interrupts_;
//       std::uint32_t& sysclk_;
//       fw::CheckBox* enable_ = nullptr;
//   };
//
//   // pages/example/register.cpp: tell the view which pages the sheet has.
//   void RegisterExamplePages() {
//       RegisterSheetPages(ID_PERIPHERALS_SPI, {
//           {"Example", [](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
//                return std::make_unique<CExamplePropPage>(sheet.Block(kBlockSpi), sheet.Block(kBlockInterrupts),
//                                                          sheet.Clocks().sysclk);
//            }},
//       });
//   }
//   // and call RegisterExamplePages() from InitK74x_75xDLL in plugin/module.cpp.
//
// Nested sheets ("Configure ..." buttons): see RunNestedSheet in
// view/sheet_commands.h.  The sheet's "Reset" button asks the question itself
// and calls OnReset of the active page only on Yes.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "fw/ui.h"
#include "model/device_data.h"

namespace regsmith {

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
    void ReplaceBits(int index, std::uint8_t clearMask, std::uint8_t setBits);
    // ((value AND mask) >> shift) as two upper-case hex digits.
    std::string FieldHex(int index, std::uint8_t mask, int shift) const;
    std::uint8_t Value(int index) const;
    void SetValue(int index, std::uint8_t value);
    // The entry itself, or null when the block has no entry `index`.
    RegisterEntry* Entry(int index) const;

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

    // Adds a hexadecimal value field for entry `index` (two digits): on every
    // change of its text it validates (with the two warnings), puts the
    // corrected text back, stores the parsed value in the entry, runs
    // `afterStore` (if any) and refills the summary box.
    fw::EditField& AddHexField(fw::Container& parent, std::string label, int index,
                               std::function<void()> afterStore = {});
    // The same behaviour on a field the page created itself; the value goes to
    // `store` instead of an entry.
    static void AttachHexBehaviour(fw::EditField& field, std::function<void(std::uint8_t)> store);
    // Loads a field made by AddHexField from its entry ("%02X").
    void LoadHexField(int index);

    // Device id of the document of the host's active view (0xD0..0xDB).
    static std::uint8_t GetActiveDeviceId();

private:
    PeripheralBlock* block_;
    fw::TextBox* summary_ = nullptr;
    std::vector<std::pair<int, fw::EditField*>> hexFields_;
};

// The hex value field rules.  ValidateHexField trims blanks, cuts a text
// longer than `maxDigits` with the warning "Error: Exceeded Size For Initial
// Value.", and for every character that is not 0-9 or A-F drops the text's
// last character with the warning "Error: Invalid HEX Character.".  Returns
// false when the text had to be corrected (`text` then holds the correction).
bool ValidateHexField(std::string& text, int maxDigits);
// Trims blanks, left-pads with 0 to `width` and adds up the digits; characters
// other than 1-9 and A-F count as 0.
std::uint32_t ParseHexField(const std::string& text, int width);

inline constexpr const char* kSummaryBoxName = "Register Summary";
inline constexpr const char* kExceededSizeWarning = "Error: Exceeded Size For Initial Value.";
inline constexpr const char* kInvalidHexWarning = "Error: Invalid HEX Character.";

}  // namespace regsmith
