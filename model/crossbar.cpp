// The priority crossbar decoder and the rules built on it.

#include "model/crossbar.h"

#include <cstdio>

namespace regsmith {

namespace {

using P = CrossbarPeripheral;

constexpr SignalTable kFourWireTable{{
    {0, "TX", "TX   (UART), ", P::Uart0, reg::XBR0, 0x01, 0, 4, 4},
    {1, "RX", "RX   (UART), ", P::Uart0, reg::XBR0, 0x01, 0, 5, 5},
    {2, "SCK", "SCK  (SPI0), ", P::Spi0, reg::XBR0, 0x02, 0, 0, 13},
    {3, "MISO", "MISO (SPI0), ", P::Spi0, reg::XBR0, 0x02, 0, 1, 14},
    {4, "MOSI", "MOSI (SPI0), ", P::Spi0, reg::XBR0, 0x02, 0, 2, 15},
    {5, "NSS", "NSS  (SPI0), ", P::Spi0, reg::XBR0, 0x02, 0, 3, 15},
    {6, "LIN-TX", "TX    (LIN), ", P::Lin, reg::XBR0, 0x04, 0, 0, 14},
    {7, "LIN-RX", "RX    (LIN), ", P::Lin, reg::XBR0, 0x04, 0, 1, 15},
    {8, "CP0", "CP0  (Cmp0), ", P::Cp0, reg::XBR0, 0x10, 0, 0, 15},
    {9, "CP0A", "CP0A (Cmp0), ", P::Cp0A, reg::XBR0, 0x20, 0, 0, 15},
    {10, "SYSCLK", "SYSCLK,      ", P::Sysclk, reg::XBR0, 0x08, 0, 0, 15},
    {11, "CEX0", "CEX0  (PCA), ", P::Cex0, reg::XBR1, kXbr1CexCountMask, 1, 0, 15},
    {12, "CEX1", "CEX1  (PCA), ", P::Cex1, reg::XBR1, kXbr1CexCountMask, 2, 1, 15},
    {13, "CEX2", "CEX2  (PCA), ", P::Cex2, reg::XBR1, kXbr1CexCountMask, 3, 2, 15},
    {14, "ECI", "ECI,         ", P::Eci, reg::XBR1, 0x08, 0, 0, 15},
    {15, "T0", "T0   (Tmr0), ", P::Timer0, reg::XBR1, 0x10, 0, 0, 15},
    {16, "T1", "T1   (Tmr1), ", P::Timer1, reg::XBR1, 0x20, 0, 0, 15},
}};

constexpr int kNssRow = 5;

// The first signal row of each peripheral box (the one a trial applies).
constexpr std::array<int, kCrossbarPeripheralCount> kFirstRow{0, 2, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16};

constexpr std::array<const char*, kCrossbarPeripheralCount> kCaptions{
    "UART0", "SPI0", "LIN", "CP0", "", "SYSCLK", "PCA", "", "", "ECI", "Timer0", "Timer1"};
constexpr std::array<const char*, kCrossbarPeripheralCount> kScriptNames{
    "UART0", "SPI0", "LIN", "CP0", "CP0A", "SYSCLK", "PCA", "CEX1", "CEX2", "ECI", "Timer0", "Timer1"};

int ClampPinCount(int pinCount) {
    if (pinCount < 0) return 0;
    return pinCount > kMaxPins ? kMaxPins : pinCount;
}

// Steps 2 and 3 of the decoder; `decode` arrives with every pin free.
void Route(CrossbarDecode& decode, const CrossbarRegisters& registers, const SignalTable& table) {
    for (int pin = 0; pin < decode.pinCount; ++pin) {
        if (!registers.IsSkipped(pin)) continue;
        PinAssignment& assignment = decode.pins[static_cast<std::size_t>(pin)];
        assignment.free = false;
        assignment.skipped = true;
        assignment.text = "Skipped,     ";
    }
    decode.allAssigned = true;
    for (const CrossbarSignal& signal : table) {
        if (!signal.HasPinRange() || !IsSignalEnabled(signal, registers)) continue;
        const int last = signal.lastPin < decode.pinCount - 1 ? signal.lastPin : decode.pinCount - 1;
        int found = kNoPin;
        for (int pin = signal.firstPin; pin <= last; ++pin) {
            if (decode.pins[static_cast<std::size_t>(pin)].free) {
                found = pin;
                break;
            }
        }
        if (found == kNoPin) {
            decode.allAssigned = false;
            continue;
        }
        PinAssignment& assignment = decode.pins[static_cast<std::size_t>(found)];
        assignment.free = false;
        assignment.signalRow = signal.row;
        assignment.text = signal.assignmentText;
        decode.signalPin[static_cast<std::size_t>(signal.row)] = found;
    }
}

}  // namespace

SignalTable BuildSignalTable(bool fourWireNss) {
    SignalTable table = kFourWireTable;
    if (!fourWireNss) {
        table[kNssRow].name = "NSS*";
        table[kNssRow].firstPin = kNoPin;
        table[kNssRow].lastPin = kNoPin;
    }
    return table;
}

bool IsFourWireNss(const PeripheralBlock& spi) {
    return TestBits(spi, reg::SPI0CN, kSpiNssModeMask);
}

std::string PinName(int pin) {
    char text[16];
    std::snprintf(text, sizeof text, "P%d.%d", pin / 8, pin % 8);
    return text;
}

int ParsePinName(const std::string& text) {
    if (text.size() != 4 || text[0] != 'P' || text[2] != '.') return kNoPin;
    if (text[1] < '0' || text[1] > '1' || text[3] < '0' || text[3] > '7') return kNoPin;
    return (text[1] - '0') * 8 + (text[3] - '0');
}

CrossbarRegisters CrossbarRegisters::FromBlock(const PeripheralBlock& portIO) {
    CrossbarRegisters registers;
    for (int entry = 0; entry < kCrossbarEntryCount; ++entry)
        if (const RegisterEntry* held = EntryOf(portIO, entry)) registers[entry] = held->value;
    return registers;
}

bool IsPinAnalog(const PeripheralBlock& portIO, int pin) {
    return !CrossbarRegisters::FromBlock(portIO).IsDigital(pin);
}

bool IsPinSkipped(const PeripheralBlock& portIO, int pin) { return CrossbarRegisters::FromBlock(portIO).IsSkipped(pin); }

int PinEntry(int port0Entry, int pin) { return pin < 8 ? port0Entry : port0Entry + 1; }

std::uint8_t PinMask(int pin) { return static_cast<std::uint8_t>(1u << (pin % 8)); }

bool CrossbarRegisters::PinBit(int port0Entry, int pin) const {
    if (pin < 0 || pin >= kMaxPins) return false;
    return ((*this)[PinEntry(port0Entry, pin)] & PinMask(pin)) != 0;
}

bool IsSignalEnabled(const CrossbarSignal& signal, const CrossbarRegisters& registers) {
    const std::uint8_t value = registers[signal.entry];
    if (signal.minimumCount != 0) return (value & signal.mask) >= signal.minimumCount;
    return (value & signal.mask) != 0;
}

bool IsPeripheralEnabled(CrossbarPeripheral peripheral, const CrossbarRegisters& registers) {
    const int index = static_cast<int>(peripheral);
    if (index < 0 || index >= kCrossbarPeripheralCount) return false;
    return IsSignalEnabled(kFourWireTable[static_cast<std::size_t>(kFirstRow[static_cast<std::size_t>(index)])],
                           registers);
}

bool IsEnabledOnCrossbar(const PeripheralBlock& portIO, CrossbarPeripheral peripheral) {
    return IsPeripheralEnabled(peripheral, CrossbarRegisters::FromBlock(portIO));
}

CrossbarDecode Decode(const CrossbarRegisters& registers, const SignalTable& table, int pinCount) {
    CrossbarDecode decode;
    decode.pinCount = ClampPinCount(pinCount);
    Route(decode, registers, table);
    return decode;
}

void ApplyPeripheralBox(CrossbarRegisters& registers, CrossbarPeripheral peripheral, bool checked) {
    const int index = static_cast<int>(peripheral);
    if (index < 0 || index >= kCrossbarPeripheralCount) return;
    const CrossbarSignal& signal = kFourWireTable[static_cast<std::size_t>(kFirstRow[static_cast<std::size_t>(index)])];
    std::uint8_t& value = registers[signal.entry];
    if (signal.minimumCount != 0) {
        // CEX box n stands for at least n + 1 signals: checking makes it n + 1,
        // unchecking leaves n.
        const int count = checked ? signal.minimumCount : signal.minimumCount - 1;
        value = static_cast<std::uint8_t>((value & ~kXbr1CexCountMask) | count);
    } else if (checked) {
        value = static_cast<std::uint8_t>(value | signal.mask);
    } else {
        value = static_cast<std::uint8_t>(value & ~signal.mask);
    }
}

CrossbarAvailability TrialEnabledBoxes(const CrossbarRegisters& registers, const SignalTable& table, int pinCount) {
    CrossbarAvailability availability;
    const int pins = ClampPinCount(pinCount);
    auto trialSucceeds = [&](const CrossbarRegisters& trial) { return Decode(trial, table, pins).allAssigned; };

    for (int index = 0; index < kCrossbarPeripheralCount; ++index) {
        const auto peripheral = static_cast<CrossbarPeripheral>(index);
        if (IsPeripheralEnabled(peripheral, registers)) {
            availability.peripheral[static_cast<std::size_t>(index)] = true;
            continue;
        }
        CrossbarRegisters trial = registers;
        ApplyPeripheralBox(trial, peripheral, true);
        availability.peripheral[static_cast<std::size_t>(index)] = trialSucceeds(trial);
    }
    for (int pin = 0; pin < pins; ++pin) {
        if (registers.IsSkipped(pin)) {
            availability.skip[static_cast<std::size_t>(pin)] = true;
            continue;
        }
        CrossbarRegisters trial = registers;
        trial[PinEntry(reg::P0SKIP, pin)] = static_cast<std::uint8_t>(trial[PinEntry(reg::P0SKIP, pin)] | PinMask(pin));
        availability.skip[static_cast<std::size_t>(pin)] = trialSucceeds(trial);
    }
    return availability;
}

PinCommentTable BuildPinCommentTable(const CrossbarDecode& decode, const CrossbarRegisters& registers) {
    PinCommentTable table;
    for (int pin = 0; pin < decode.pinCount; ++pin) {
        if (pin != 0 && pin % 8 == 0) {
            table.c += kCrLf;
            table.assembly += kCrLf;
        }
        std::string line = PinName(pin);
        line += "  -  ";
        line += decode.pins[static_cast<std::size_t>(pin)].text;
        line += registers.IsPushPull(pin) ? "Push-Pull,  " : "Open-Drain, ";
        line += registers.IsDigital(pin) ? "Digital" : "Analog";
        line += kCrLf;
        table.c += "    // " + line;
        table.assembly += "    ; " + line;
    }
    table.c += kCrLf;
    table.assembly += kCrLf;
    return table;
}

std::string DescribeAssignment(const CrossbarDecode& decode, const SignalTable& table) {
    std::string text;
    for (const CrossbarSignal& signal : table) {
        const int pin = decode.signalPin[static_cast<std::size_t>(signal.row)];
        text += signal.name;
        text += ": ";
        text += pin == kNoPin ? std::string("none") : PinName(pin);
        text += '\n';
    }
    return text;
}

const char* PeripheralCaption(CrossbarPeripheral peripheral) {
    const int index = static_cast<int>(peripheral);
    return index >= 0 && index < kCrossbarPeripheralCount ? kCaptions[static_cast<std::size_t>(index)] : "";
}

const char* PeripheralScriptName(CrossbarPeripheral peripheral) {
    const int index = static_cast<int>(peripheral);
    return index >= 0 && index < kCrossbarPeripheralCount ? kScriptNames[static_cast<std::size_t>(index)] : "";
}

}  // namespace regsmith
