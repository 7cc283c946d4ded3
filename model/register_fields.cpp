#include "model/register_fields.h"

#include <array>

#include "model/crossbar.h"
#include "model/register_tables.h"

namespace regsmith {

namespace {

// Every sheet's fields, in the words of its pages' controls and groups.
// Interrupts.
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
    // Oscillators.
    {kBlockOscillators, reg::OSCXCN, 0x70, "External Oscillator Mode"},
    {kBlockOscillators, reg::OSCXCN, 0x07, "Frequency Control Bits"},
    {kBlockOscillators, reg::OSCICN, 0xC0, "Internal Oscillator Enable"},
    {kBlockOscillators, reg::OSCICN, 0x07, "Frequency Derived From"},
    {kBlockOscillators, reg::CLKSEL, 0x30, "Output /SYSCLK Divide Value"},
    {kBlockOscillators, reg::CLKSEL, 0x01, "Use External Oscillator as SYSCLK"},
    // Timers 0, 1 and 2.
    {kBlockTimers, reg::TCON, 0x40, "Timer 1: Enable Timer"},
    {kBlockTimers, reg::TCON, 0x10, "Timer 0: Enable Timer (TL0 in Mode 3)"},
    {kBlockTimers, reg::TCON, 0x04, "/INT1 is Edge Triggered"},
    {kBlockTimers, reg::TCON, 0x01, "/INT0 is Edge Triggered"},
    {kBlockTimers, reg::TMOD, 0x80, "Gate Timer Depending on /INT1"},
    {kBlockTimers, reg::TMOD, 0x40, "External T1"},
    {kBlockTimers, reg::TMOD, 0x30, "Timer 1: Timer Mode"},
    {kBlockTimers, reg::TMOD, 0x08, "Gate Timer Depending on /INT0"},
    {kBlockTimers, reg::TMOD, 0x04, "External T0"},
    {kBlockTimers, reg::TMOD, 0x03, "Timer 0: Timer Mode"},
    {kBlockTimers, reg::CKCON, 0x20, "TMR2H Clock Source: SYSCLK"},
    {kBlockTimers, reg::CKCON, 0x10, "Timer 2 Clock Source: SYSCLK"},
    {kBlockTimers, reg::CKCON, 0x08, "Timer 1 Clock Source: SYSCLK"},
    {kBlockTimers, reg::CKCON, 0x04, "Timer 0 Clock Source: SYSCLK"},
    {kBlockTimers, reg::CKCON, 0x03, "Prescaled Clock Inputs"},
    {kBlockTimers, reg::TMR2CN, 0x20, "Enable Timer 2 Low Byte Overflow"},
    {kBlockTimers, reg::TMR2CN, 0x10, "Enable Capture using External Oscillator / 8"},
    {kBlockTimers, reg::TMR2CN, 0x08, "Two 8 Bit Auto Reload Timers"},
    {kBlockTimers, reg::TMR2CN, 0x04, "Timer 2: Enable Timer"},
    {kBlockTimers, reg::TMR2CN, 0x01, "Timer 2: External Oscillator / 8"},
    // UART0.
    {kBlockUart, reg::SCON0, 0x80, "9 Bit UART"},
    {kBlockUart, reg::SCON0, 0x20, "Stop Bit / Ninth Bit Check"},
    {kBlockUart, reg::SCON0, 0x10, "Enable UART0 Reception"},
    // PCA0 and its modules.
    {kBlockPca, reg::PCA0CN, 0x40, "Enable PCA0"},
    {kBlockPca, reg::PCA0MD, 0x80, "Suspend PCA operation while system controller is in Idle Mode"},
    {kBlockPca, reg::PCA0MD, 0x20, "Watchdog Lock"},
    {kBlockPca, reg::PCA0MD, 0x0E, "PCA Timebase Input"},
    {kBlockPca, reg::PCA0MD, 0x01, "Enable PCA Counter/Timer Overflow Interrupt"},
    {kBlockPca, reg::PCA0CPM0, 0xFE, "Module 0 Mode"},
    {kBlockPca, reg::PCA0CPM0, 0x01, "Module 0: Enable CCF Interrupt"},
    {kBlockPca, reg::PCA0CPM1, 0xFE, "Module 1 Mode"},
    {kBlockPca, reg::PCA0CPM1, 0x01, "Module 1: Enable CCF Interrupt"},
    {kBlockPca, reg::PCA0CPM2, 0xFE, "Module 2 Mode"},
    {kBlockPca, reg::PCA0CPM2, 0x01, "Module 2: Enable CCF Interrupt"},
    // SPI0.
    {kBlockSpi, reg::SPI0CFG, 0x40, "Operate in Master Mode"},
    {kBlockSpi, reg::SPI0CFG, 0x20, "Data Centered on Second Edge of SCK"},
    {kBlockSpi, reg::SPI0CFG, 0x10, "SCK Line High in Idle State"},
    {kBlockSpi, reg::SPI0CN, 0x0C, "Slave Mode Select (NSS)"},
    {kBlockSpi, reg::SPI0CN, 0x01, "Enable SPI0"},
    // ADC0.
    {kBlockAdc, reg::ADC0MX, 0x1F, "Input Channel"},
    {kBlockAdc, reg::ADC0CF, 0xF8, "AD0SC"},
    {kBlockAdc, reg::ADC0CF, 0x06, "Repeat Count"},
    {kBlockAdc, reg::ADC0CN, 0x80, "Enable ADC0"},
    {kBlockAdc, reg::ADC0CN, 0x40, "Enable Burst Mode"},
    {kBlockAdc, reg::ADC0CN, 0x04, "Left justify ADC0H:ADC0L registers"},
    {kBlockAdc, reg::ADC0CN, 0x03, "Start of Conversion Mode"},
    {kBlockAdc, reg::ADC0TK, 0xF0, "Burst Power Up Time"},
    {kBlockAdc, reg::ADC0TK, 0x0C, "Tracking Mode"},
    {kBlockAdc, reg::ADC0TK, 0x03, "Post-Tracking time"},
    // Comparator0.
    {kBlockComparator, reg::CPT0CN, 0x80, "Enable Comparator0"},
    {kBlockComparator, reg::CPT0CN, 0x0C, "Positive Hysteresis"},
    {kBlockComparator, reg::CPT0CN, 0x03, "Negative Hysteresis"},
    {kBlockComparator, reg::CPT0MX, 0xF0, "Negative Input"},
    {kBlockComparator, reg::CPT0MX, 0x0F, "Positive Input"},
    {kBlockComparator, reg::CPT0MD, 0x80, "Enable High Speed Analog Mode"},
    {kBlockComparator, reg::CPT0MD, 0x20, "Enable Rising Edge Interrupt"},
    {kBlockComparator, reg::CPT0MD, 0x10, "Enable Falling Edge Interrupt"},
    {kBlockComparator, reg::CPT0MD, 0x03, "Comparator Response Time"},
    // Voltage reference and regulator.
    {kBlockVoltageReference, reg::REF0CN, 0x20, "ZeroTC is on"},
    {kBlockVoltageReference, reg::REF0CN, 0x10, "2.25V"},
    {kBlockVoltageReference, reg::REF0CN, 0x08, "Vregout"},
    {kBlockVoltageReference, reg::REF0CN, 0x04, "Enable Temperature Sensor"},
    {kBlockVoltageReference, reg::REF0CN, 0x02, "Enable Internal Bias Generator"},
    {kBlockVoltageReference, reg::REF0CN, 0x01, "Enable Internal Reference Buffer"},
    {kBlockVoltageRegulator, reg::REG0CN, 0x80, "Disable Voltage Regulator"},
    {kBlockVoltageRegulator, reg::REG0CN, 0x10, "Voltage Regulator Output is 2.5V"},
    // Reset sources, and the comparator as a reset source.
    {kBlockResetSources, reg::VDM0CN, 0x80, "Enable VDD Monitor"},
    {kBlockResetSources, reg::VDM0CN, 0x20, "VDD Threshold is set to VRST-HIGH"},
    {kBlockResetSources, reg::RSTSRC, 0x20, "Enable Comparator 0 as an Active-Low Reset Source"},
    {kBlockResetSources, reg::RSTSRC, 0x04, "Enable Missing Clock Detector"},
    {kBlockResetSources, reg::RSTSRC, 0x02, "Enable VDD Monitor as a Reset Source"},
    {kBlockComparatorReset, reg::RSTSRC, 0x20, "Enable Comparator 0 as an Active-Low Reset Source"},
    {kBlockComparatorReset, reg::RSTSRC, 0x04, "Enable Missing Clock Detector"},
    {kBlockComparatorReset, reg::RSTSRC, 0x02, "Enable VDD Monitor as a Reset Source"},
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
                all.push_back(std::string(pins.prefix) + " " + PinName(pins.port * 8 + bit) + std::string(pins.suffix));
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
    return static_cast<unsigned>(value & field.mask) >> FieldShift(field.mask);
}

}  // namespace regsmith
