#pragma once
// "Priority Crossbar": which peripherals are on the crossbar, which pins it
// skips, each pin's input and output mode, the crossbar enable and the weak
// pull-ups.  Shows the decoded pin assignment in a grid, greys every box
// whose checking would leave an enabled signal without a pin, and on OK
// writes the pin-assignment comment table into Port_IO_Init.

#include <array>
#include <string>

#include "fw/ui.h"
#include "model/crossbar.h"
#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kCrossbarPageTitle = "Priority Crossbar";
inline constexpr const char* kEnableCrossbarCaption = "Enable Crossbar";
inline constexpr const char* kDisableWeakPullupCaption = "Disable Weak Pull-up";
inline constexpr const char* kCrossbarQuestion =
    "You have enabled peripherals on the crossbar or set\n a pin to push-pull but have not enabled the crossbar,\n"
    " would you like to do so now?";
inline constexpr fw::Rgb kSkippedCellColour{64, 128, 128};
inline constexpr fw::Rgb kAssignedCellColour{234, 0, 0};
inline constexpr fw::Rgb kAssignedLegendColour{255, 0, 0};
inline constexpr fw::Rgb kSkippedLegendColour{0, 128, 128};
inline constexpr int kHeaderColumnTwips = 800;
inline constexpr int kPinColumnTwips = 350;

class CPortIOCrossbarPropPage : public CDevicePropPage {
public:
    // The page's own copy is the run's port I/O copy (block 11); the run's
    // SPI copy is read once, on first display, for the NSS mode.
    explicit CPortIOCrossbarPropPage(SheetContext& sheet);

    void OnOK() override;

    // The assignment as text, one line per signal ("TX: P0.4", "NSS*: none").
    std::string DescribeAssignment() const;
    // The script mode's `show` prints the assignment after the controls.
    std::string DescribeForScript() const override { return DescribeAssignment(); }

private:
    struct PinControls {
        fw::ToggleButton* input = nullptr;   // "D" / "A"
        fw::ToggleButton* output = nullptr;  // "P" / "O"
        fw::CheckBox* skip = nullptr;
    };

    void OnFirstDisplay() override;
    void ResetPage() override;
    void BuildControls();
    void DecodeAndDraw();
    void UpdateEnabledBoxes();
    void OnPeripheralClicked(CrossbarPeripheral peripheral);
    CrossbarRegisters Registers() const;

    int pinCount_ = kMaxPins;
    SignalTable signals_ = BuildSignalTable(true);
    CrossbarDecode decode_;

    std::array<fw::CheckBox*, kCrossbarPeripheralCount> peripheralBoxes_{};
    std::array<PinControls, kMaxPins> pins_{};
    fw::Grid* grid_ = nullptr;
    // Pin-function labels: one set per package, only the model's is shown.
    std::array<fw::StaticText*, 3> smallPackageLabels_{};
    std::array<fw::StaticText*, 3> largePackageLabels_{};
};

// Reset values into every register of the Port I/O block and no UART skip
// before XBR0 (the reset of both Port I/O pages).
void ResetPortIORegisters(CDevicePage& page);

}  // namespace regsmith
