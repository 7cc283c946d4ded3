#pragma once
// What the overview's pins, clocks and rules share: the registers of a
// project read once, the crossbar decoded once, and which peripheral uses
// which pin.  Internal to model/overview*.cpp.

#include <array>
#include <string>
#include <vector>

#include "fw/overview.h"
#include "model/analog_inputs.h"
#include "model/clock_rates.h"
#include "model/crossbar.h"
#include "model/device_document.h"
#include "model/overview.h"
#include "model/register_fields.h"
#include "model/register_tables.h"

namespace regsmith::overview {

// The sheets (Peripherals menu items) and pages that settings are made on.
namespace where {
inline const fw::SheetPage kCrossbar{"Port I/O", "Priority Crossbar"};
inline const fw::SheetPage kInternalOsc{"Oscillators", "Internal Oscillator"};
inline const fw::SheetPage kExternalOsc{"Oscillators", "External Oscillator"};
inline const fw::SheetPage kSysclkSelect{"Oscillators", "SYSCLK Select"};
inline const fw::SheetPage kTimer0{"Timers", "Timer 0"};
inline const fw::SheetPage kTimer1{"Timers", "Timer 1"};
inline const fw::SheetPage kTimer2{"Timers", "Timer 2"};
inline const fw::SheetPage kUart0{"UART", "UART0"};
inline const fw::SheetPage kSpi0{"SPI", "SPI0"};
inline const fw::SheetPage kAdc0{"ADC", "ADC0"};
inline const fw::SheetPage kComparator0{"Comparator", "Comparator0"};
inline const fw::SheetPage kVoltageReference{"Voltage Reference", "Voltage Reference"};
inline const fw::SheetPage kPca0{"PCA", "PCA0"};
inline const fw::SheetPage kWatchdog{"PCA", "Module 2/WDT"};
inline const fw::SheetPage kResetSources{"Reset Sources", "Reset Sources"};
inline const fw::SheetPage kVddMonitor{"Reset Sources", "Power-Fail Reset/VDD Monitor"};
inline const fw::SheetPage kInterrupts{"Interrupts", "Enable Interrupts"};
fw::SheetPage PcaModule(int module);
}  // namespace where

// The register fields the rules read, from the field records (so a bit is
// described once, where the pages and the tools find it too).
namespace bits {
inline constexpr std::uint8_t kTr0 = field::TCON_TR0.mask, kTr1 = field::TCON_TR1.mask;
inline constexpr std::uint8_t kT0Counter = field::TMOD_CT0.mask, kT1Counter = field::TMOD_CT1.mask;
inline constexpr std::uint8_t kT0ModeMask = field::TMOD_T0M.mask, kT1ModeMask = field::TMOD_T1M.mask;
inline constexpr std::uint8_t kT1AutoReload = field::TMOD_T1M.choices[2].value;  // "8 Bit Counter/Timer Auto-Reload"
inline constexpr std::uint8_t kT1Disabled = field::TMOD_T1M.choices[3].value;    // "Timer 1 Disabled"
inline constexpr std::uint8_t kTr2 = field::TMR2CN_TR2.mask, kT2Split = field::TMR2CN_T2SPLIT.mask;
inline constexpr std::uint8_t kReceiveEnable = field::SCON0_REN0.mask;
inline constexpr std::uint8_t kSpiEnable = field::SPI0CN_SPIEN.mask;
inline constexpr std::uint8_t kAdcEnable = field::ADC0CN_AD0EN.mask;
inline constexpr std::uint8_t kAdcStartMask = field::ADC0CN_AD0CM.mask;
inline constexpr std::uint8_t kAdcStartTimer2 = field::ADC0CN_AD0CM.choices[1].value;   // "on overflow of Timer 2"
inline constexpr std::uint8_t kAdcStartCnvstr = field::ADC0CN_AD0CM.choices[2].value;   // "... external CNVSTR"
inline constexpr std::uint8_t kAdcInputMask = field::ADC0MX_AMX0P.mask;
inline constexpr std::uint8_t kAdcTempSensor = 0x18;  // the ADC0MX code of the temperature sensor
inline constexpr std::uint8_t kRefBuffer = field::REF0CN_REFBE.mask, kRefBias = field::REF0CN_BIASE.mask,
                              kRefTempSensor = field::REF0CN_TEMPE.mask, kRefFromRegulator = field::REF0CN_REFSL.mask;
inline constexpr std::uint8_t kComparatorEnable = field::CPT0CN_CP0EN.mask;
inline constexpr std::uint8_t kVdmEnable = field::VDM0CN_VDMEN.mask;
inline constexpr std::uint8_t kRstVddMonitor = field::RSTSRC_PORSF.mask, kRstComparator = field::RSTSRC_C0RSEF.mask;
inline constexpr std::uint8_t kPcaRun = field::PCA0CN_CR.mask;
inline constexpr std::uint8_t kModuleModeMask = field::PCA0CPM0_MODE.mask;
inline constexpr std::uint8_t kGlobalEnable = field::IE_EA.mask;
inline constexpr std::uint8_t kUartInterrupt = field::IE_ES0.mask, kTimer1Interrupt = field::IE_ET1.mask;
// OSCICN bit 7, the enable of field::OSCICN_IOSCEN (whose bit 6 is the read-only ready flag).
inline constexpr std::uint8_t kInternalOscEnable = 0x80;
}  // namespace bits

// One use of a pin by a peripheral that is in use, and the mode it needs.
struct PinClaim {
    int pin = kNoPin;
    std::string user;        // "ADC0 input", "XTAL2", "CNVSTR"
    std::string label;       // the page's label: "P1.0 for XTAL2", "Pin"
    std::string purpose;     // the page's purpose text: " for VREF"
    std::string peripheral;  // "ADC0"
    bool needsAnalog = true;
    bool skipOnly = false;   // CNVSTR: only skipped matters
    fw::SheetPage where;     // the page that shows the check
};

class Chip {
public:
    explicit Chip(const OverviewSource& source);

    std::uint8_t DeviceId() const { return deviceId_; }
    const ClockSettings& Clocks() const { return *clocks_; }
    const PeripheralBlock& Block(std::int32_t number) const;
    std::uint8_t Value(std::int32_t block, int entry) const { return ValueOf(Block(block), entry); }
    bool Bits(std::int32_t block, int entry, std::uint8_t mask) const { return (Value(block, entry) & mask) != 0; }

    int PinCount() const { return pinCount_; }
    const CrossbarRegisters& Crossbar() const { return crossbar_; }
    const SignalTable& Signals() const { return signals_; }
    const CrossbarDecode& Decoded() const { return decode_; }

    // The peripherals' states the pins, the clocks and the rules agree on.
    bool ExternalOscOn() const;
    bool AdcOn() const { return Bits(kBlockAdc, reg::ADC0CN, bits::kAdcEnable); }
    bool ComparatorOn() const { return Bits(kBlockComparator, reg::CPT0CN, bits::kComparatorEnable); }
    bool SpiOn() const { return Bits(kBlockSpi, reg::SPI0CN, bits::kSpiEnable); }
    bool VrefPinInUse() const;
    // Timer 1 as the calculator leaves it for a baud rate: 8-bit
    // auto-reload from a non-zero TH1, counting its clock, no interrupt of its own.
    bool BaudTimerSetUp() const;
    // UART0 is used: reception, its interrupt, its crossbar pins, or its baud timer set up.
    bool UartInUse() const;
    std::uint32_t UartBaud() const;
    pca::PcaClocks PcaClocks() const { return pca::PcaClocksOf(Clocks(), Block(kBlockTimers)); }

    // The pins the peripherals in use take outside the crossbar.
    const std::vector<PinClaim>& Claims() const { return claims_; }

private:
    void CollectClaims();

    std::uint8_t deviceId_;
    const ClockSettings* clocks_;
    const std::map<std::int32_t, PeripheralBlock>* blocks_;
    int pinCount_;
    CrossbarRegisters crossbar_;
    SignalTable signals_;
    CrossbarDecode decode_;
    std::vector<PinClaim> claims_;
};

// The name of a crossbar signal row on the pin map: "UART0 TX", "SPI0 SCK", "CEX0".
const char* SignalName(int row);

void AddPins(const Chip& chip, fw::ChipOverview& overview);
void AddClocks(const Chip& chip, fw::ChipOverview& overview);
void AddProblems(const Chip& chip, fw::ChipOverview& overview);

}  // namespace regsmith::overview
