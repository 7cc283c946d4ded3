// The problems of a configuration: each rule reads the registers through
// the overview's Chip and adds at most a few problems in the user's words.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/overview_chip.h"

namespace regsmith::overview {

namespace {

using fw::Severity;

class Rules {
public:
    Rules(const Chip& chip, std::vector<fw::Problem>& problems) : chip_(chip), problems_(problems) {}

    void Run() {
        PinConditions();
        Routing();
        UartBaudTimer();
        Adc();
        ResetSources();
        Sysclk();
        Interrupts();
        Watchdog();
        BaudRate();
    }

private:
    void Add(Severity severity, std::string peripheral, std::string message, const fw::SheetPage& where) {
        problems_.push_back({severity, std::move(peripheral), std::move(message), where});
    }

    // Every pin a peripheral in use takes must be skipped by the crossbar and
    // in the mode the use needs, as that peripheral's page checks it.
    void PinConditions() {
        const CrossbarRegisters& registers = chip_.Crossbar();
        for (const PinClaim& claim : chip_.Claims()) {
            const bool analog = !registers.IsDigital(claim.pin);
            const bool skipped = registers.IsSkipped(claim.pin);
            if (claim.skipOnly) {
                if (!skipped)
                    Add(Severity::Error, claim.peripheral, claim.label + " is Not Skipped, NOT Configured Properly",
                        where::kCrossbar);
                continue;
            }
            if (skipped && analog == claim.needsAnalog) continue;
            Add(Severity::Error, claim.peripheral,
                PinStatusText(claim.label, analog, skipped, claim.needsAnalog, claim.purpose), where::kCrossbar);
        }
    }

    // Peripherals in use whose signals the crossbar does not put on a pin.
    void Routing() {
        const CrossbarRegisters& registers = chip_.Crossbar();
        const bool uartRouted = IsPeripheralEnabled(CrossbarPeripheral::Uart0, registers);
        if (!uartRouted && (chip_.Bits(kBlockUart, reg::SCON0, bits::kReceiveEnable) || chip_.BaudTimerSetUp()))
            Add(Severity::Error, "UART0", "UART0 is in use but not enabled on the crossbar, so TX and RX have no pins",
                where::kCrossbar);
        if (chip_.SpiOn() && !IsPeripheralEnabled(CrossbarPeripheral::Spi0, registers))
            Add(Severity::Error, "SPI0", "SPI0 is enabled but not on the crossbar, so its signals have no pins",
                where::kCrossbar);
        struct OutputMode {
            std::uint8_t code;
            const char* name;
        };
        constexpr OutputMode kOutputModes[] = {{0x4C, "High Speed Output"},
                                               {0x46, "Frequency Output"},
                                               {0x42, "8-Bit Pulse Width Modulator"},
                                               {0xC2, "16-Bit Pulse Width Modulator"}};
        for (int module = 0; module < 3; ++module) {
            const std::uint8_t mode = chip_.Value(kBlockPca, reg::PCA0CPM0 + module) & bits::kModuleModeMask;
            for (const OutputMode& output : kOutputModes) {
                if (output.code != mode || registers.CexCount() > module) continue;
                const std::string cex = "CEX" + std::to_string(module);
                Add(Severity::Error, "PCA0",
                    "Module " + std::to_string(module) + " drives " + cex + " (" + output.name + "), but " + cex +
                        " is not enabled on the crossbar",
                    where::kCrossbar);
            }
        }
        // A signal enabled on the crossbar for which no pin was left.
        for (const CrossbarSignal& signal : chip_.Signals()) {
            if (!signal.HasPinRange() || !IsSignalEnabled(signal, registers)) continue;
            if (chip_.Decoded().signalPin[static_cast<std::size_t>(signal.row)] != kNoPin) continue;
            Add(Severity::Error, "Port I/O",
                std::string(SignalName(signal.row)) + " is enabled on the crossbar, but no free pin is left for it",
                where::kCrossbar);
        }
        // The comparator's outputs drive their pins only while it runs.
        for (const auto row : {8, 9}) {
            const int pin = chip_.Decoded().signalPin[static_cast<std::size_t>(row)];
            if (pin == kNoPin || chip_.ComparatorOn()) continue;
            Add(Severity::Warning, "Comparator0",
                std::string(SignalName(row)) + " is routed to " + PinName(pin) + ", but Comparator0 is disabled",
                where::kComparator0);
        }
        bool anySignal = false;
        for (const CrossbarSignal& signal : chip_.Signals())
            anySignal = anySignal || (signal.HasPinRange() && IsSignalEnabled(signal, registers));
        if (anySignal && (registers[reg::XBR1] & kXbr1CrossbarEnable) == 0)
            Add(Severity::Warning, "Port I/O", "The crossbar is disabled, so no peripheral signal reaches its pin",
                where::kCrossbar);
    }

    void UartBaudTimer() {
        if (!chip_.UartInUse()) return;
        const std::uint8_t tmod = chip_.Value(kBlockTimers, reg::TMOD);
        if ((tmod & bits::kT1ModeMask) != bits::kT1AutoReload)
            Add(Severity::Warning, "UART0",
                "Timer 1 is not an 8-bit auto-reload timer, so UART0 has no steady baud clock", where::kTimer1);
        else if (!chip_.Bits(kBlockTimers, reg::TCON, bits::kTr1))
            Add(Severity::Warning, "UART0", "Timer 1 is stopped, so UART0 has no baud clock", where::kTimer1);
    }

    void Adc() {
        if (!chip_.AdcOn()) return;
        const std::uint8_t tmr2cn = chip_.Value(kBlockTimers, reg::TMR2CN);
        // Split, timer 2's low byte always runs.
        if ((chip_.Value(kBlockAdc, reg::ADC0CN) & bits::kAdcStartMask) == bits::kAdcStartTimer2 &&
            (tmr2cn & (bits::kTr2 | bits::kT2Split)) == 0)
            Add(Severity::Warning, "ADC0", "ADC0 starts conversions on Timer 2 overflows, but Timer 2 is stopped",
                where::kTimer2);
        if (!chip_.Bits(kBlockVoltageReference, reg::REF0CN, bits::kRefBias))
            Add(Severity::Error, "ADC0", "ADC0 is enabled, but the internal bias generator is off",
                where::kVoltageReference);
        if ((chip_.Value(kBlockAdc, reg::ADC0MX) & bits::kAdcInputMask) == bits::kAdcTempSensor &&
            !chip_.Bits(kBlockVoltageReference, reg::REF0CN, bits::kRefTempSensor))
            Add(Severity::Warning, "ADC0", "ADC0 reads the temperature sensor, but the temperature sensor is off",
                where::kVoltageReference);
    }

    void ResetSources() {
        // Between two runs of the sheet the comparator's bit lives in block 8.
        const std::uint8_t rstsrc =
            chip_.Value(kBlockResetSources, reg::RSTSRC) | chip_.Value(kBlockComparatorReset, reg::RSTSRC);
        if ((rstsrc & bits::kRstComparator) != 0 && !chip_.ComparatorOn())
            Add(Severity::Error, "Reset Sources", "Comparator0 is a reset source, but Comparator0 is disabled",
                where::kComparator0);
        if ((rstsrc & bits::kRstVddMonitor) != 0 && !chip_.Bits(kBlockResetSources, reg::VDM0CN, bits::kVdmEnable))
            Add(Severity::Error, "Reset Sources", "The VDD monitor is a reset source, but the VDD monitor is disabled",
                where::kVddMonitor);
    }

    void Sysclk() {
        if (chip_.Bits(kBlockOscillators, reg::CLKSEL, clocks::kExternalSourceBit)) {
            if (!chip_.ExternalOscOn())
                Add(Severity::Error, "SYSCLK", "SYSCLK comes from the external oscillator, which is off",
                    where::kExternalOsc);
            else if (chip_.Clocks().sysclk == 0)
                Add(Severity::Error, "SYSCLK", "SYSCLK comes from the external oscillator at 0 Hz", where::kExternalOsc);
        } else if (!chip_.Bits(kBlockOscillators, reg::OSCICN, bits::kInternalOscEnable)) {
            Add(Severity::Error, "SYSCLK", "SYSCLK comes from the internal oscillator, which is disabled",
                where::kInternalOsc);
        }
    }

    void Interrupts() {
        struct Source {
            int entry;
            std::uint8_t mask;
            const char* name;
        };
        constexpr Source kSources[] = {
            {reg::IE, 0x01, "/INT0"},       {reg::IE, 0x02, "Timer 0"},          {reg::IE, 0x04, "/INT1"},
            {reg::IE, 0x08, "Timer 1"},     {reg::IE, 0x10, "UART0"},            {reg::IE, 0x20, "Timer 2"},
            {reg::IE, 0x40, "SPI0"},        {reg::EIE1, 0x01, "ADC0 window"},    {reg::EIE1, 0x02, "ADC0 conversion"},
            {reg::EIE1, 0x04, "PCA0"},      {reg::EIE1, 0x08, "CP0 falling"},    {reg::EIE1, 0x10, "CP0 rising"},
            {reg::EIE1, 0x20, "LIN"},       {reg::EIE1, 0x40, "voltage regulator"}, {reg::EIE1, 0x80, "port match"},
        };
        std::string enabled;
        int count = 0;
        for (const Source& source : kSources) {
            if (!chip_.Bits(kBlockInterrupts, source.entry, source.mask)) continue;
            enabled += (count++ == 0 ? "" : ", ") + std::string(source.name);
        }
        const bool global = chip_.Bits(kBlockInterrupts, reg::IE, bits::kGlobalEnable);
        if (!global && count > 0)
            Add(Severity::Warning, "Interrupts",
                "Interrupts are globally disabled, so the enabled " + enabled +
                    (count == 1 ? " interrupt never runs" : " interrupts never run"),
                where::kInterrupts);
        if (global && count == 0)
            Add(Severity::Note, "Interrupts", "Interrupts are globally enabled, but no interrupt source is",
                where::kInterrupts);
    }

    void Watchdog() {
        const pca::WatchdogState state = pca::ReadWatchdog(chip_.Block(kBlockPca));
        if (state == pca::WatchdogState::Disabled) return;
        const std::optional<double> timeout =
            pca::WatchdogTimeoutMs(chip_.Value(kBlockPca, reg::PCA0MD), chip_.Value(kBlockPca, reg::PCA0CPL2),
                                   chip_.Value(kBlockPca, reg::PCA0L), chip_.PcaClocks());
        char text[160];
        std::snprintf(text, sizeof text,
                      "The watchdog is %s with a %.1f ms timeout: the firmware must feed it, or it resets the device",
                      state == pca::WatchdogState::Locked ? "enabled and locked" : "enabled", timeout.value_or(0));
        Add(Severity::Note, "Watchdog", text, where::kWatchdog);
    }

    void BaudRate() {
        if (!chip_.UartInUse()) return;
        const std::uint32_t baud = chip_.UartBaud();
        if (baud == 0) {
            Add(Severity::Warning, "UART0", "UART0's baud rate is 0 bps at this SYSCLK", where::kTimer1);
            return;
        }
        const std::uint32_t standard = NearestStandardBaudRate(baud);
        if (baud == standard) return;
        const double percent = (static_cast<double>(baud) - standard) * 100.0 / standard;
        char text[160];
        std::snprintf(text, sizeof text, "UART0 runs at %u bps, %.2f %% %s the standard %u bps", baud,
                      std::fabs(percent), percent > 0 ? "above" : "below", standard);
        Add(std::fabs(percent) <= 2.0 ? Severity::Note : Severity::Warning, "UART0", text, where::kTimer1);
    }

    const Chip& chip_;
    std::vector<fw::Problem>& problems_;
};

}  // namespace

void AddProblems(const Chip& chip, fw::ChipOverview& overview) {
    overview.problems.clear();
    Rules(chip, overview.problems).Run();
    std::stable_sort(overview.problems.begin(), overview.problems.end(),
                     [](const fw::Problem& a, const fw::Problem& b) { return a.severity < b.severity; });
}

}  // namespace regsmith::overview
