// The chip overview: the shared reading of the registers, the pin map and
// the clock tree.  The rules are in overview_problems.cpp.

#include "model/overview.h"

#include <cmath>
#include <cstdio>

#include "model/catalogue.h"
#include "model/overview_chip.h"

namespace regsmith {

namespace overview {

namespace {

const PeripheralBlock kEmptyBlock{};

constexpr std::array<const char*, kSignalCount> kSignalNames{
    "UART0 TX", "UART0 RX", "SPI0 SCK", "SPI0 MISO", "SPI0 MOSI", "SPI0 NSS", "LIN TX", "LIN RX", "CP0",
    "CP0A",     "/SYSCLK",  "CEX0",     "CEX1",      "CEX2",      "ECI",      "T0",     "T1"};

std::string Hex(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

}  // namespace

fw::SheetPage where::PcaModule(int module) { return {"PCA", module == 2 ? "Module 2/WDT" : "Module " + std::to_string(module)}; }

const char* SignalName(int row) {
    return row >= 0 && row < kSignalCount ? kSignalNames[static_cast<std::size_t>(row)] : "";
}

Chip::Chip(const OverviewSource& source)
    : deviceId_(source.deviceId),
      clocks_(source.clocks),
      blocks_(source.blocks),
      pinCount_(regsmith::PinCount(source.deviceId)),
      crossbar_(CrossbarRegisters::FromBlock(Block(kBlockPortIO))),
      signals_(BuildSignalTable(IsFourWireNss(Block(kBlockSpi)))),
      decode_(Decode(crossbar_, signals_, pinCount_)) {
    CollectClaims();
}

const PeripheralBlock& Chip::Block(std::int32_t number) const {
    const auto found = blocks_->find(number);
    return found == blocks_->end() ? kEmptyBlock : found->second;
}

bool Chip::ExternalOscOn() const {
    const std::uint8_t mode = Value(kBlockOscillators, reg::OSCXCN) & clocks::kExternalModeMask;
    return mode != clocks::kModeOff && mode != clocks::kModeUnused;
}

bool Chip::VrefPinInUse() const {
    // The reference comes from P0.0 unless REF0CN selects the regulator; it
    // matters while ADC0 converts or the buffer drives the pin.
    if (Bits(kBlockVoltageReference, reg::REF0CN, bits::kRefFromRegulator)) return false;
    return AdcOn() || Bits(kBlockVoltageReference, reg::REF0CN, bits::kRefBuffer);
}

bool Chip::BaudTimerSetUp() const {
    const std::uint8_t tmod = Value(kBlockTimers, reg::TMOD);
    return (tmod & bits::kT1ModeMask) == bits::kT1AutoReload && (tmod & bits::kT1Counter) == 0 &&
           Value(kBlockTimers, reg::TH1) != 0 && !Bits(kBlockInterrupts, reg::IE, bits::kTimer1Interrupt);
}

bool Chip::UartInUse() const {
    return Bits(kBlockUart, reg::SCON0, bits::kReceiveEnable) || Bits(kBlockInterrupts, reg::IE, bits::kUartInterrupt) ||
           IsPeripheralEnabled(CrossbarPeripheral::Uart0, crossbar_) || BaudTimerSetUp();
}

std::uint32_t Chip::UartBaud() const {
    return UartBaudFromTimer1(Value(kBlockTimers, reg::CKCON), Value(kBlockTimers, reg::TH1), Clocks().sysclk);
}

void Chip::CollectClaims() {
    const auto claim = [this](int pin, std::string user, std::string label, std::string purpose, std::string peripheral,
                              bool needsAnalog, bool skipOnly, const fw::SheetPage& page) {
        if (pin == kNoPin || pin >= pinCount_) return;
        claims_.push_back({pin, std::move(user), std::move(label), std::move(purpose), std::move(peripheral),
                           needsAnalog, skipOnly, page});
    };
    if (ExternalOscOn()) {
        const std::uint8_t mode = Value(kBlockOscillators, reg::OSCXCN) & clocks::kExternalModeMask;
        const bool crystal = mode == clocks::kModeCrystal || mode == clocks::kModeCrystalHalf;
        const bool cmos = mode == clocks::kModeCmos || mode == clocks::kModeCmosHalf;
        const CrystalPins pins = CrystalPinsOf(deviceId_);
        if (crystal)
            claim(pins.xtal1, "XTAL1", PinName(pins.xtal1) + " for XTAL1", "", "External Oscillator", true, false,
                  where::kExternalOsc);
        claim(pins.xtal2, cmos ? "EXTCLK" : "XTAL2", PinName(pins.xtal2) + " for XTAL2", "", "External Oscillator", !cmos,
              false, where::kExternalOsc);
    }
    if (VrefPinInUse())
        claim(kVrefPin, "VREF", PinName(kVrefPin), " for VREF", "Voltage Reference", true, false,
              where::kVoltageReference);
    if (AdcOn()) {
        const int input = AdcInputPin(deviceId_, Value(kBlockAdc, reg::ADC0MX) & bits::kAdcInputMask);
        claim(input, "ADC0 input", "ADC0 input " + PinName(input), "", "ADC0", true, false, where::kAdc0);
        if ((Value(kBlockAdc, reg::ADC0CN) & bits::kAdcStartMask) == bits::kAdcStartCnvstr)
            claim(CnvstrPin(deviceId_), "CNVSTR", PinName(CnvstrPin(deviceId_)) + " for CNVSTR", "", "ADC0", false, true,
                  where::kAdc0);
    }
    if (ComparatorOn()) {
        const std::uint8_t mux = Value(kBlockComparator, reg::CPT0MX);
        const int positive = ComparatorInputPin(deviceId_, true, mux & 0x0F);
        const int negative = ComparatorInputPin(deviceId_, false, static_cast<std::uint8_t>(mux >> 4));
        claim(positive, "CP0+ input", "Comparator0 positive input " + PinName(positive), "", "Comparator0", true, false,
              where::kComparator0);
        claim(negative, "CP0- input", "Comparator0 negative input " + PinName(negative), "", "Comparator0", true, false,
              where::kComparator0);
    }
}

void AddPins(const Chip& chip, fw::ChipOverview& overview) {
    overview.pins.clear();
    overview.pins.reserve(static_cast<std::size_t>(chip.PinCount()));
    const CrossbarRegisters& registers = chip.Crossbar();
    for (int pin = 0; pin < chip.PinCount(); ++pin) {
        fw::PinInfo info;
        info.name = PinName(pin);
        info.analog = !registers.IsDigital(pin);
        info.pushPull = registers.IsPushPull(pin);
        info.skipped = registers.IsSkipped(pin);
        const PinAssignment& assignment = chip.Decoded().pins[static_cast<std::size_t>(pin)];
        for (const PinClaim& claim : chip.Claims()) {
            if (claim.pin != pin) continue;
            if (!info.signal.empty()) info.signal += ", ";
            info.signal += claim.user;
        }
        if (assignment.signalRow != kNoPin) {
            info.function = fw::PinFunction::Peripheral;
            info.signal = SignalName(assignment.signalRow);
        } else if (info.analog) {
            info.function = fw::PinFunction::Analog;
        } else if (info.skipped) {
            info.function = fw::PinFunction::Skipped;
        } else {
            info.function = fw::PinFunction::GeneralIO;
        }
        overview.pins.push_back(std::move(info));
    }
}

namespace {

std::string FormatValue(double value, const std::string& unit) {
    char text[48];
    if (unit == "ms")
        std::snprintf(text, sizeof text, "%.1f ms", value);
    else
        std::snprintf(text, sizeof text, "%.0f %s", value, unit.c_str());
    return text;
}

struct ClockAdder {
    fw::ChipOverview& overview;

    void operator()(std::string id, std::string name, std::string source, double value, std::string unit,
                    std::string detail, bool running, const fw::SheetPage& where) const {
        fw::ClockInfo clock;
        clock.id = std::move(id);
        clock.name = std::move(name);
        clock.source = std::move(source);
        clock.value = value;
        clock.text = FormatValue(value, unit);
        clock.unit = std::move(unit);
        clock.detail = std::move(detail);
        clock.running = running;
        clock.where = where;
        overview.clocks.push_back(std::move(clock));
    }
};

const char* ExternalModeName(std::uint8_t oscxcn) {
    switch (oscxcn & clocks::kExternalModeMask) {
        case clocks::kModeOff: return "not used";
        case clocks::kModeCmos: return "external CMOS";
        case clocks::kModeCmosHalf: return "external CMOS / 2";
        case clocks::kModeRc: return "RC oscillator";
        case clocks::kModeCapacitor: return "capacitor oscillator";
        case clocks::kModeCrystal: return "crystal oscillator";
        case clocks::kModeCrystalHalf: return "crystal oscillator / 2";
        default: return "unused mode";
    }
}

const char* PrescalerName(std::uint8_t ckcon) {
    switch (ckcon & 0x03) {
        case 0: return "SYSCLK / 12";
        case 1: return "SYSCLK / 4";
        case 2: return "SYSCLK / 48";
        default: return "external oscillator / 8";
    }
}

const char* Timer01ModeName(std::uint8_t mode) {
    switch (mode) {
        case 0: return "13-bit";
        case 1: return "16-bit";
        case 2: return "8-bit auto-reload";
        default: return "mode 3";
    }
}

}  // namespace

void AddClocks(const Chip& chip, fw::ChipOverview& overview) {
    overview.clocks.clear();
    overview.clocks.reserve(14);
    const ClockAdder add{overview};
    const ClockSettings& words = chip.Clocks();
    const std::uint8_t oscicn = chip.Value(kBlockOscillators, reg::OSCICN);
    const std::uint8_t oscxcn = chip.Value(kBlockOscillators, reg::OSCXCN);
    const bool external = chip.Bits(kBlockOscillators, reg::CLKSEL, clocks::kExternalSourceBit);
    const bool internalOn = (oscicn & bits::kInternalOscEnable) != 0;
    const unsigned divider = 1u << (7 - (oscicn & clocks::kInternalDividerMask));

    add("intosc", "Internal oscillator", "", words.internalOscFrequency, "Hz", internalOn ? "enabled" : "off",
        internalOn, where::kInternalOsc);
    add("intdiv", "Internal oscillator / " + std::to_string(divider), "intosc",
        clocks::InternalSysclk(words.internalOscFrequency, oscicn), "Hz", "divided by " + std::to_string(divider),
        internalOn, where::kInternalOsc);
    add("extosc", "External oscillator", "", words.externalOscFrequency, "Hz", ExternalModeName(oscxcn),
        chip.ExternalOscOn(), where::kExternalOsc);
    add("sysclk", "SYSCLK", external ? "extosc" : "intdiv", words.sysclk, "Hz",
        external ? std::string("external oscillator, ") + ExternalModeName(oscxcn) : "internal oscillator / " + std::to_string(divider),
        true, where::kSysclkSelect);

    const std::uint8_t ckcon = chip.Value(kBlockTimers, reg::CKCON);
    const std::uint8_t tmod = chip.Value(kBlockTimers, reg::TMOD);
    const std::uint8_t tcon = chip.Value(kBlockTimers, reg::TCON);
    const auto timer01 = [&](int timer) {
        const bool counter = (tmod & (timer == 0 ? bits::kT0Counter : bits::kT1Counter)) != 0;
        const bool sysclk = (ckcon & (timer == 0 ? 0x04 : 0x08)) != 0;
        const std::uint8_t mode = timer == 0 ? (tmod & bits::kT0ModeMask) : (tmod & bits::kT1ModeMask) >> 4;
        const bool running = (tcon & (timer == 0 ? bits::kTr0 : bits::kTr1)) != 0 && !(timer == 1 && mode == 3);
        const std::string id = "timer" + std::to_string(timer);
        const std::string name = "Timer " + std::to_string(timer);
        const std::uint32_t clock =
            counter ? 0 : timer == 0 ? Timer0Clock(ckcon, words.sysclk) : Timer1Clock(ckcon, words.sysclk);
        add(id, name + " clock", counter ? "" : "sysclk", clock, "Hz",
            counter ? "counts pulses on T" + std::to_string(timer) : sysclk ? "SYSCLK" : PrescalerName(ckcon), running,
            timer == 0 ? where::kTimer0 : where::kTimer1);
        const std::uint8_t reload = chip.Value(kBlockTimers, timer == 0 ? reg::TH0 : reg::TH1);
        const std::uint32_t rate = counter ? 0
                                   : timer == 0 ? Timer0OverflowRate(ckcon, reload, words.sysclk)
                                                : Timer1OverflowRate(ckcon, reload, words.sysclk);
        add(id + "ovf", name + " overflow", id, rate, "Hz",
            std::string(Timer01ModeName(mode)) + ", reload TH" + std::to_string(timer) + " = " + Hex(reload), running,
            timer == 0 ? where::kTimer0 : where::kTimer1);
    };
    timer01(0);
    timer01(1);

    const std::uint8_t tmr2cn = chip.Value(kBlockTimers, reg::TMR2CN);
    const bool split = (tmr2cn & bits::kT2Split) != 0;
    const std::uint32_t clock2 = Timer2Clock(ckcon, tmr2cn, false, words.sysclk, words.externalOscFrequency);
    const bool timer2Running = split || (tmr2cn & bits::kTr2) != 0;
    add("timer2", "Timer 2 clock", (ckcon & 0x10) == 0 && (tmr2cn & 0x01) != 0 ? "extosc" : "sysclk", clock2, "Hz",
        (ckcon & 0x10) != 0 ? "SYSCLK" : (tmr2cn & 0x01) != 0 ? "external oscillator / 8" : "SYSCLK / 12",
        timer2Running, where::kTimer2);
    const std::uint8_t reloadHigh = chip.Value(kBlockTimers, reg::TMR2RLH);
    const std::uint8_t reloadLow = chip.Value(kBlockTimers, reg::TMR2RLL);
    add("timer2ovf", split ? "Timer 2 low byte overflow" : "Timer 2 overflow", "timer2",
        Timer2OverflowRate(clock2, reloadHigh, reloadLow, split), "Hz",
        split ? "8-bit auto-reload, reload TMR2RLL = " + Hex(reloadLow)
              : "16-bit auto-reload, reload " + Hex(reloadHigh) + Hex(reloadLow).substr(2),
        timer2Running, where::kTimer2);

    const std::uint32_t baud = chip.UartBaud();
    const std::uint32_t standard = NearestStandardBaudRate(baud);
    char deviation[96];
    std::snprintf(deviation, sizeof deviation, "Timer 1 overflow / 2; nearest standard rate %u bps (%+.2f %%)",
                  standard, standard ? (static_cast<double>(baud) - standard) * 100.0 / standard : 0.0);
    add("uart0", "UART0 baud rate", "timer1ovf", baud, "bps", deviation,
        chip.UartInUse() && (tcon & bits::kTr1) != 0, where::kUart0);

    const std::uint8_t spi0ckr = chip.Value(kBlockSpi, reg::SPI0CKR);
    add("spi0", "SPI0 SCK", "sysclk", spi::SckRate(words.sysclk, spi0ckr), "Hz",
        "SYSCLK / " + std::to_string(2u * spi0ckr + 2u) + ", SPI0CKR = " + Hex(spi0ckr), chip.SpiOn(), where::kSpi0);

    const unsigned ad0sc = chip.Value(kBlockAdc, reg::ADC0CF) >> 3;
    add("adc0", "ADC0 SAR clock", "sysclk", SarClock(words.sysclk, ad0sc), "Hz",
        "SYSCLK / " + std::to_string(ad0sc + 1) + ", AD0SC = " + std::to_string(ad0sc), chip.AdcOn(), where::kAdc0);

    const std::uint8_t pca0md = chip.Value(kBlockPca, reg::PCA0MD);
    const pca::PcaClocks pcaClocks = chip.PcaClocks();
    const char* pcaSource = "sysclk";
    const char* pcaDetail = "SYSCLK";
    switch (pca0md & pca::kTimeBaseMask) {
        case pca::kSysclkDiv12: pcaDetail = "SYSCLK / 12"; break;
        case pca::kSysclkDiv4: pcaDetail = "SYSCLK / 4"; break;
        case pca::kTimer0Overflow: pcaSource = "timer0ovf", pcaDetail = "Timer 0 overflow"; break;
        case pca::kEciFalling: pcaSource = "", pcaDetail = "falling edges on ECI"; break;
        case pca::kExternalDiv8: pcaSource = "extosc", pcaDetail = "external oscillator / 8"; break;
        default: break;
    }
    add("pca0", "PCA0 time base", pcaSource, pca::PcaClockFrequency(pca0md, pcaClocks), "Hz", pcaDetail,
        chip.Bits(kBlockPca, reg::PCA0CN, bits::kPcaRun), where::kPca0);

    const pca::WatchdogState watchdog = pca::ReadWatchdog(chip.Block(kBlockPca));
    const std::optional<double> timeout = pca::WatchdogTimeoutMs(pca0md, chip.Value(kBlockPca, reg::PCA0CPL2),
                                                                 chip.Value(kBlockPca, reg::PCA0L), pcaClocks);
    add("watchdog", "Watchdog timeout", "pca0", timeout.value_or(0), "ms",
        watchdog == pca::WatchdogState::Disabled ? "disabled"
        : watchdog == pca::WatchdogState::Locked ? "enabled and locked"
                                                  : "enabled",
        watchdog != pca::WatchdogState::Disabled, where::kWatchdog);
}

}  // namespace overview

std::uint32_t NearestStandardBaudRate(std::uint32_t bps) {
    std::uint32_t best = kStandardBaudRates[0];
    double bestDistance = -1;
    for (std::uint32_t standard : kStandardBaudRates) {
        const double distance = std::fabs(static_cast<double>(bps) - standard) / standard;
        if (bestDistance < 0 || distance < bestDistance) {
            best = standard;
            bestDistance = distance;
        }
    }
    return best;
}

void BuildOverview(const OverviewSource& source, fw::ChipOverview& overview) {
    static const std::map<std::int32_t, PeripheralBlock> kNoBlocks;
    static const ClockSettings kNoClocks{};
    OverviewSource complete = source;
    if (complete.blocks == nullptr) complete.blocks = &kNoBlocks;
    if (complete.clocks == nullptr) complete.clocks = &kNoClocks;
    const overview::Chip chip(complete);
    overview.model = std::string(ModelName(source.deviceId));
    overview::AddPins(chip, overview);
    overview::AddClocks(chip, overview);
    overview::AddProblems(chip, overview);
}

}  // namespace regsmith
