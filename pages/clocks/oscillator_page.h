#pragma once
// The common part of the three pages of the "Oscillators" sheet: the one
// oscillators copy (block 12), the document's clock words, the sheet's Reset
// and the frequency check on OK.

#include <cstdint>
#include <string>

#include "model/device_document.h"
#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kInternalOscillatorPageTitle = "Internal Oscillator";
inline constexpr const char* kExternalOscillatorPageTitle = "External Oscillator";
inline constexpr const char* kSysclkSelectPageTitle = "SYSCLK Select";
inline constexpr const char* kInvalidSysclkMessage =
    "Error: Invalid Frequency for SYSCLK.\n\nData was saved anyway, please open the\nOscillators dialog again from the "
    "Peripherals\nmenu to enter a valid frequency.";

class COscillatorPage : public CDevicePropPage {
public:
    COscillatorPage(std::string title, SheetContext& sheet);

    // The sheet's OK: with the external oscillator as SYSCLK and a SYSCLK of
    // 0 Hz, a message says so; the sheet is accepted all the same.  The first
    // oscillator page the sheet displayed checks, so the message comes once,
    // whichever pages were shown.
    void OnOK() override;

protected:
    // The document's own clock words: sysclk and externalOscFrequency change
    // at once (the sheet restores both on Cancel).
    ClockSettings& Clocks() const;
    // internalOscFrequency as the sheet was opened.
    std::uint32_t InternalFrequency() const { return internalOscFrequency_; }

    bool ExternalIsSysclk() const;
    // SYSCLK from the registers and frequencies; stored into `sysclk` by the
    // pages whose own source is selected.
    std::uint32_t ComputedSysclk() const;

    // Every register of the block back to its reset value, SYSCLK back to
    // the internal oscillator / 128 and no external frequency.  The crystal
    // snippets stay.
    void ResetPage() override;

private:
    std::uint32_t internalOscFrequency_;
};

}  // namespace regsmith
