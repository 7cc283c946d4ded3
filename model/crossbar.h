#pragma once
// The priority crossbar of the QK74x_75x: which digital peripheral signals are
// routed to which port pins.  Pure functions of register values; the "Priority
// Crossbar" page draws what they compute, and every page that reports that
// its peripheral "is Enabled on the Crossbar" asks IsEnabledOnCrossbar.

#include <array>
#include <cstdint>
#include <string>

#include "model/device_data.h"
#include "model/register_tables.h"

namespace regsmith {

inline constexpr int kCrossbarEntryCount = 8;  // entries 0..7 decide the routing and pin modes

// SPI0CN's NSS-mode bits (non-zero: four-wire).
inline constexpr std::uint8_t kSpiNssModeMask = 0x0C;

inline constexpr std::uint8_t kXbr1CexCountMask = 0x07;
inline constexpr std::uint8_t kXbr1CrossbarEnable = 0x40;
inline constexpr std::uint8_t kXbr1WeakPullupDisable = 0x80;

inline constexpr int kMaxPins = 16;
inline constexpr int kSignalCount = 17;
inline constexpr int kNoPin = -1;

// The twelve peripheral check boxes of the crossbar page, in display order.
enum class CrossbarPeripheral : int { Uart0, Spi0, Lin, Cp0, Cp0A, Sysclk, Cex0, Cex1, Cex2, Eci, Timer0, Timer1 };
inline constexpr int kCrossbarPeripheralCount = 12;

// One row of the signal table; the row order is the crossbar priority.
struct CrossbarSignal {
    int row = 0;
    const char* name = "";            // shown in the table ("NSS*" in three-wire mode)
    const char* assignmentText = "";  // 13 characters, for the pin comment table
    CrossbarPeripheral peripheral = CrossbarPeripheral::Uart0;
    int entry = reg::XBR0;                // XBR0 or XBR1
    std::uint8_t mask = 0;            // enable bit; for the CEX rows the count field
    std::uint8_t minimumCount = 0;    // CEX rows: enabled when (XBR1 & 0x07) >= this
    int firstPin = kNoPin;            // kNoPin: the signal never takes a pin
    int lastPin = kNoPin;

    bool HasPinRange() const { return firstPin != kNoPin; }
};

using SignalTable = std::array<CrossbarSignal, kSignalCount>;

// The signal table with row 5 as "NSS" (four-wire, pins 3..15) or "NSS*"
// (three-wire, no pin).
SignalTable BuildSignalTable(bool fourWireNss);
// Four-wire NSS mode from an SPI block copy; a block without SPI0CN reads as 0.
bool IsFourWireNss(const PeripheralBlock& spi);

// "P0.3" for pin 3, "P1.0" for pin 8.
std::string PinName(int pin);
// Pin index of "P0.3" / "P1.7", or kNoPin when the text names no pin.
int ParsePinName(const std::string& text);

// The values of entries 0..7 of a port I/O block.
struct CrossbarRegisters {
    // Reset values: every pin digital, open-drain, not skipped, nothing enabled.
    std::array<std::uint8_t, kCrossbarEntryCount> value{0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

    // Entries the block lacks (a damaged project) keep their reset values.
    static CrossbarRegisters FromBlock(const PeripheralBlock& portIO);

    std::uint8_t& operator[](int entry) { return value[static_cast<std::size_t>(entry)]; }
    std::uint8_t operator[](int entry) const { return value[static_cast<std::size_t>(entry)]; }

    bool IsSkipped(int pin) const { return PinBit(reg::P0SKIP, pin); }
    bool IsDigital(int pin) const { return PinBit(reg::P0MDIN, pin); }
    bool IsPushPull(int pin) const { return PinBit(reg::P0MDOUT, pin); }
    int CexCount() const { return value[reg::XBR1] & kXbr1CexCountMask; }

private:
    bool PinBit(int port0Entry, int pin) const;
};

// A pin's mode in a port I/O block, for the pages that check a pin they use:
// analog when its PnMDIN bit is 0, skipped when its PnSKIP bit is 1.
bool IsPinAnalog(const PeripheralBlock& portIO, int pin);
bool IsPinSkipped(const PeripheralBlock& portIO, int pin);

// The register entry (port-0 entry of a pair, shifted to port 1 for pins 8..15)
// and the bit mask of pin k.
int PinEntry(int port0Entry, int pin);
std::uint8_t PinMask(int pin);

// Whether a signal row's enable condition holds.
bool IsSignalEnabled(const CrossbarSignal& signal, const CrossbarRegisters& registers);
// Whether a peripheral's check box shows checked (the CEX boxes by the count rule).
bool IsPeripheralEnabled(CrossbarPeripheral peripheral, const CrossbarRegisters& registers);
// The one question other pages ask: is this peripheral's signal "Enabled on the
// Crossbar" in this port I/O block?  (CEX0/1/2: at least 1/2/3 CEX signals.)
bool IsEnabledOnCrossbar(const PeripheralBlock& portIO, CrossbarPeripheral peripheral);

struct PinAssignment {
    bool free = true;
    bool skipped = false;
    int signalRow = kNoPin;            // the row of the signal on the pin
    std::string text = "Unassigned,  ";  // 13 characters
};

struct CrossbarDecode {
    int pinCount = 0;
    std::array<PinAssignment, kMaxPins> pins;  // entries >= pinCount unused
    std::array<int, kSignalCount> signalPin;   // pin of each row, kNoPin if none

    CrossbarDecode() { signalPin.fill(kNoPin); }
    // Every enabled signal with a pin range found a pin.
    bool allAssigned = true;
};

// The decoder: skipped pins first, then each enabled signal in row order to
// the first free pin of its range.  Skip bits of pins beyond the count are
// ignored; a signal without a free pin in range stays without one.
CrossbarDecode Decode(const CrossbarRegisters& registers, const SignalTable& table, int pinCount);

// Which unchecked boxes the user may check: a box is enabled if checking it
// still leaves every enabled signal on a pin.  Checked boxes are always
// enabled, so they can be unchecked.
struct CrossbarAvailability {
    std::array<bool, kCrossbarPeripheralCount> peripheral{};
    std::array<bool, kMaxPins> skip{};  // entries >= pinCount false
};
CrossbarAvailability TrialEnabledBoxes(const CrossbarRegisters& registers, const SignalTable& table, int pinCount);

// What checking a peripheral box does to the registers (UART0 sets XBR0 bit 0,
// the CEX box n sets the count to n + 1, ...), and unchecking.
void ApplyPeripheralBox(CrossbarRegisters& registers, CrossbarPeripheral peripheral, bool checked);

// The pin-assignment comment table of Port_IO_Init, C and assembly forms.
struct PinCommentTable {
    std::string c;
    std::string assembly;
};
PinCommentTable BuildPinCommentTable(const CrossbarDecode& decode, const CrossbarRegisters& registers);

// The assignment as plain text, one line per signal: "TX: P0.4", "NSS*: none".
std::string DescribeAssignment(const CrossbarDecode& decode, const SignalTable& table);

// The caption of each peripheral box ("" for the CP0A and CEX1/CEX2 boxes) and
// the name scripts use for it ("CP0A", "CEX1", "CEX2").
const char* PeripheralCaption(CrossbarPeripheral peripheral);
const char* PeripheralScriptName(CrossbarPeripheral peripheral);

}  // namespace regsmith
