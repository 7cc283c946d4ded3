#include "model/register_fields.h"

#include <array>

#include "model/register_tables.h"

namespace regsmith {

namespace {

// Interrupts, in the words of the Interrupts sheet's check boxes and lists.
constexpr RegisterField kFields[] = {
    {kBlockInterrupts, reg::IE, 0x80, "Enable All Interrupts"},
    {kBlockInterrupts, reg::IE, 0x40, "Enable SPI0 Interrupt"},
    {kBlockInterrupts, reg::IE, 0x20, "Enable Timer 2 Interrupt"},
    {kBlockInterrupts, reg::IE, 0x10, "Enable UART0 Interrupt"},
    {kBlockInterrupts, reg::IE, 0x08, "Enable Timer 1 Interrupt"},
    {kBlockInterrupts, reg::IE, 0x04, "Enable /INT1 Interrupt"},
    {kBlockInterrupts, reg::IE, 0x02, "Enable Timer 0 Interrupt"},
    {kBlockInterrupts, reg::IE, 0x01, "Enable /INT0 Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x80, "Enable Port Match Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x40, "Enable Voltage Regulator Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x20, "Enable LIN Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x10, "Enable CP0 Rising Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x08, "Enable CP0 Falling Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x04, "Enable PCA0 Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x02, "Enable AD0INT Interrupt"},
    {kBlockInterrupts, reg::EIE1, 0x01, "Enable AD0WINT Interrupt"},
    {kBlockInterrupts, reg::IP, 0x40, "Set SPI0 Priority High"},
    {kBlockInterrupts, reg::IP, 0x20, "Set Timer 2 Priority High"},
    {kBlockInterrupts, reg::IP, 0x10, "Set UART0 Priority High"},
    {kBlockInterrupts, reg::IP, 0x08, "Set Timer 1 Priority High"},
    {kBlockInterrupts, reg::IP, 0x04, "Set /INT1 Priority High"},
    {kBlockInterrupts, reg::IP, 0x02, "Set Timer 0 Priority High"},
    {kBlockInterrupts, reg::IP, 0x01, "Set /INT0 Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x80, "Set Port Match Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x40, "Set Voltage Regulator Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x20, "Set LIN Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x10, "Set CP0 Rising Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x08, "Set CP0 Falling Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x04, "Set PCA0 Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x02, "Set AD0INT Priority High"},
    {kBlockInterrupts, reg::EIP1, 0x01, "Set AD0WINT Priority High"},
    {kBlockInterrupts, reg::IT01CF, 0x80, "/INT1 Active High"},
    {kBlockInterrupts, reg::IT01CF, 0x70, "/INT1 Port Pin Selection"},
    {kBlockInterrupts, reg::IT01CF, 0x08, "/INT0 Active High"},
    {kBlockInterrupts, reg::IT01CF, 0x07, "/INT0 Port Pin Selection"},
    // Port I/O, in the words of the "Priority Crossbar" page.
    {kBlockPortIO, reg::XBR0, 0x20, "CP0A"},
    {kBlockPortIO, reg::XBR0, 0x10, "CP0"},
    {kBlockPortIO, reg::XBR0, 0x08, "SYSCLK"},
    {kBlockPortIO, reg::XBR0, 0x04, "LIN"},
    {kBlockPortIO, reg::XBR0, 0x02, "SPI0"},
    {kBlockPortIO, reg::XBR0, 0x01, "UART0"},
    {kBlockPortIO, reg::XBR1, 0x80, "Disable Weak Pull-up"},
    {kBlockPortIO, reg::XBR1, 0x40, "Enable Crossbar"},
    {kBlockPortIO, reg::XBR1, 0x20, "Timer1"},
    {kBlockPortIO, reg::XBR1, 0x10, "Timer0"},
    {kBlockPortIO, reg::XBR1, 0x08, "ECI"},
    {kBlockPortIO, reg::XBR1, 0x07, "PCA (CEX count)"},
};

// The port registers hold one bit per pin: P0 in the P0 entry, P1 in the P1 entry.
struct PinRegister {
    int entry;
    int port;
    std::string_view prefix;  // "Skip" gives "Skip P0.3"
    std::string_view suffix;
};
constexpr std::array<PinRegister, 10> kPinRegisters{{
    {reg::P0MDIN, 0, "Input", " digital"},
    {reg::P1MDIN, 1, "Input", " digital"},
    {reg::P0MDOUT, 0, "Output", " push-pull"},
    {reg::P1MDOUT, 1, "Output", " push-pull"},
    {reg::P0SKIP, 0, "Skip", ""},
    {reg::P1SKIP, 1, "Skip", ""},
    {reg::P0MAT, 0, "Match", " value"},
    {reg::P1MAT, 1, "Match", " value"},
    {reg::P0MASK, 0, "Match", " compared"},
    {reg::P1MASK, 1, "Match", " compared"},
}};

// The pin fields' names, built once and kept for the string views.
const std::vector<std::string>& PinFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const PinRegister& pins : kPinRegisters)
            for (int bit = 7; bit >= 0; --bit)
                all.push_back(std::string(pins.prefix) + " P" + std::to_string(pins.port) + "." + std::to_string(bit) +
                              std::string(pins.suffix));
        return all;
    }();
    return names;
}

}  // namespace

std::vector<RegisterField> FieldsOf(std::int32_t block, int entry) {
    std::vector<RegisterField> fields;
    for (const RegisterField& field : kFields)
        if (field.block == block && field.entry == entry) fields.push_back(field);
    if (block != kBlockPortIO) return fields;
    for (std::size_t row = 0; row < kPinRegisters.size(); ++row) {
        if (kPinRegisters[row].entry != entry) continue;
        for (int bit = 7; bit >= 0; --bit)
            fields.push_back({block, entry, static_cast<std::uint8_t>(1u << bit),
                              PinFieldNames()[row * 8 + static_cast<std::size_t>(7 - bit)]});
    }
    return fields;
}

unsigned FieldValue(const RegisterField& field, std::uint8_t value) {
    unsigned bits = value & field.mask;
    for (unsigned mask = field.mask; mask != 0 && (mask & 1u) == 0; mask >>= 1) bits >>= 1;
    return bits;
}

}  // namespace regsmith
