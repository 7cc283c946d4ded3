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

// Register bits the rules read.
namespace bits {
inline constexpr std::uint8_t kTr0 = 0x10, kTr1 = 0x40;                  // TCON
inline constexpr std::uint8_t kT0Counter = 0x04, kT1Counter = 0x40;      // TMOD
inline constexpr std::uint8_t kT0ModeMask = 0x03, kT1ModeMask = 0x30;    // TMOD
inline constexpr std::uint8_t kT1AutoReload = 0x20;
inline constexpr std::uint8_t kT1Disabled = 0x30;
inline constexpr std::uint8_t kTr2 = 0x04, kT2Split = 0x08;              // TMR2CN
inline constexpr std::uint8_t kReceiveEnable = 0x10;                     // SCON0
inline constexpr std::uint8_t kSpiEnable = 0x01;                         // SPI0CN
inline constexpr std::uint8_t kAdcEnable = 0x80;                         // ADC0CN
inline constexpr std::uint8_t kAdcStartMask = 0x03, kAdcStartTimer2 = 0x03, kAdcStartCnvstr = 0x02;
inline constexpr std::uint8_t kAdcInputMask = 0x1F;                      // ADC0MX
inline constexpr std::uint8_t kAdcTempSensor = 0x18;
inline constexpr std::uint8_t kRefBuffer = 0x01, kRefBias = 0x02, kRefTempSensor = 0x04, kRefFromRegulator = 0x08;
inline constexpr std::uint8_t kComparatorEnable = 0x80;                  // CPT0CN
inline constexpr std::uint8_t kVdmEnable = 0x80;                         // VDM0CN
inline constexpr std::uint8_t kRstVddMonitor = 0x02, kRstComparator = 0x20;  // RSTSRC
inline constexpr std::uint8_t kPcaRun = 0x40;                            // PCA0CN
inline constexpr std::uint8_t kModuleModeMask = 0xFE;                    // PCA0CPMn
inline constexpr std::uint8_t kGlobalEnable = 0x80;                      // IE
inline constexpr std::uint8_t kUartInterrupt = 0x10, kTimer1Interrupt = 0x08;
inline constexpr std::uint8_t kInternalOscEnable = 0x80;                 // OSCICN
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
