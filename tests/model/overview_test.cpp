// The chip overview: every problem rule on a crafted project and silent on
// its good twin, the pin map and the clock tree of known projects, and the
// texts the command line and the docks print from them.

#include "model/overview.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"

namespace regsmith {
namespace {

using Change = std::function<void(CK74x_75xDoc&)>;

CK74x_75xDoc NewProject(std::uint8_t deviceId) {
    CK74x_75xDoc document(deviceId);
    EXPECT_TRUE(document.OnNewDocument());
    return document;
}

fw::ChipOverview OverviewOf(const CK74x_75xDoc& document) {
    fw::ChipOverview overview;
    EXPECT_TRUE(document.GetOverview(overview));
    return overview;
}

std::string ProblemLines(const fw::ChipOverview& overview) {
    std::string lines;
    for (const fw::Problem& problem : overview.problems) lines += fw::ProblemLine({}, problem) + "\n";
    return lines;
}

std::uint8_t& Entry(CK74x_75xDoc& document, std::int32_t block, int entry) {
    return EntryOf(document.deviceData.blockMap.at(block), entry)->value;
}

// Register writes as setups: Set(block, entry, value), Or(block, entry, bits).
Change Set(std::int32_t block, int entry, std::uint8_t value) {
    return [=](CK74x_75xDoc& document) { Entry(document, block, entry) = value; };
}
Change Or(std::int32_t block, int entry, std::uint8_t bits) {
    return [=](CK74x_75xDoc& document) { Entry(document, block, entry) |= bits; };
}
Change Sysclk(std::uint32_t hz) {
    return [=](CK74x_75xDoc& document) { document.clocks.sysclk = hz; };
}
// Pin `pin` analog (or digital) and skipped.
Change PinMode(int pin, bool analog) {
    return [=](CK74x_75xDoc& document) {
        const std::uint8_t mask = static_cast<std::uint8_t>(1u << (pin % 8));
        std::uint8_t& mdin = Entry(document, kBlockPortIO, pin < 8 ? reg::P0MDIN : reg::P1MDIN);
        mdin = static_cast<std::uint8_t>(analog ? mdin & ~mask : mdin | mask);
        Entry(document, kBlockPortIO, pin < 8 ? reg::P0SKIP : reg::P1SKIP) |= mask;
    };
}
Change All(std::vector<Change> setups) {
    return [=](CK74x_75xDoc& document) {
        for (const Change& setup : setups) setup(document);
    };
}
const Change kWatchdogOff = [](CK74x_75xDoc& document) {
    EntryOf(document.deviceData.blockMap.at(kBlockPca), reg::PCA0CPL2)->cAfter.clear();
};
// ADC0 on with the bias generator, referenced from the regulator (no VREF pin).
const Change kAdcOn = All({Or(kBlockAdc, reg::ADC0CN, 0x80), Set(kBlockVoltageReference, reg::REF0CN, 0x0A)});
// UART0 receiving at 115566 bps from a running timer 1, on the crossbar.
const Change kUartRunning = All({Sysclk(24500000), Set(kBlockTimers, reg::CKCON, 0x08), Set(kBlockTimers, reg::TMOD, 0x20),
                                Set(kBlockTimers, reg::TH1, 0x96), Set(kBlockTimers, reg::TCON, 0x40),
                                Set(kBlockUart, reg::SCON0, 0x10), Set(kBlockPortIO, reg::XBR0, 0x01),
                                Set(kBlockPortIO, reg::XBR1, 0x40)});

TEST(Overview, EachRuleFiresOnItsProjectAndStaysSilentOnItsGoodTwin) {
    struct Row {
        const char* rule;
        std::uint8_t deviceId;
        Change bad, good;
        const char* line;  // the problem the bad project must show
        const char* key;   // no problem line of the good twin may hold this
    };
    const Row rows[] = {
        {"crystal pins", 0xD6, Set(kBlockOscillators, reg::OSCXCN, 0x67),
         All({Set(kBlockOscillators, reg::OSCXCN, 0x67), PinMode(7, true), PinMode(8, true)}),
         "error: External Oscillator: P0.7 for XTAL1 is Digital and Not Skipped: NOT Configured Properly "
         "[Port I/O > Priority Crossbar]",
         "XTAL"},
        {"crystal pins, small package", 0xD0, Set(kBlockOscillators, reg::OSCXCN, 0x60),
         All({Set(kBlockOscillators, reg::OSCXCN, 0x60), PinMode(2, true), PinMode(3, true)}),
         "error: External Oscillator: P0.3 for XTAL2 is Digital and Not Skipped: NOT Configured Properly "
         "[Port I/O > Priority Crossbar]",
         "XTAL"},
        {"CMOS clock pin", 0xD6, All({Set(kBlockOscillators, reg::OSCXCN, 0x20), PinMode(8, true)}),
         All({Set(kBlockOscillators, reg::OSCXCN, 0x20), PinMode(8, false)}),
         "error: External Oscillator: P1.0 for XTAL2 is Analog and Skipped: NOT Configured Properly "
         "[Port I/O > Priority Crossbar]",
         "XTAL"},
        {"VREF pin", 0xD6, All({kAdcOn, Set(kBlockVoltageReference, reg::REF0CN, 0x02)}),
         All({kAdcOn, Set(kBlockVoltageReference, reg::REF0CN, 0x02), PinMode(0, true)}),
         "error: Voltage Reference: P0.0 is Digital and Not Skipped for VREF: NOT Configured Properly "
         "[Port I/O > Priority Crossbar]",
         "VREF"},
        {"ADC0 input pin", 0xD6, All({kAdcOn, Set(kBlockAdc, reg::ADC0MX, 0x0A)}),
         All({kAdcOn, Set(kBlockAdc, reg::ADC0MX, 0x0A), PinMode(10, true)}),
         "error: ADC0: ADC0 input P1.2 is Digital and Not Skipped: NOT Configured Properly [Port I/O > Priority Crossbar]",
         "ADC0 input"},
        {"CNVSTR pin", 0xD0, All({kAdcOn, Set(kBlockAdc, reg::ADC0CN, 0x82)}),
         All({kAdcOn, Set(kBlockAdc, reg::ADC0CN, 0x82), PinMode(5, false)}),
         "error: ADC0: P0.5 for CNVSTR is Not Skipped, NOT Configured Properly [Port I/O > Priority Crossbar]", "CNVSTR"},
        {"comparator inputs", 0xD6, All({Set(kBlockComparator, reg::CPT0CN, 0x80), Set(kBlockComparator, reg::CPT0MX, 0x12)}),
         All({Set(kBlockComparator, reg::CPT0CN, 0x80), Set(kBlockComparator, reg::CPT0MX, 0x12), PinMode(4, true),
              PinMode(3, true)}),
         "error: Comparator0: Comparator0 negative input P0.3 is Digital and Not Skipped: NOT Configured Properly "
         "[Port I/O > Priority Crossbar]",
         "input P0"},
        {"UART0 not routed", 0xD6, Or(kBlockUart, reg::SCON0, 0x10),
         All({Or(kBlockUart, reg::SCON0, 0x10), Set(kBlockPortIO, reg::XBR0, 0x01)}),
         "error: UART0: UART0 is in use but not enabled on the crossbar, so TX and RX have no pins "
         "[Port I/O > Priority Crossbar]",
         "not enabled on the crossbar"},
        {"SPI0 not routed", 0xD6, Or(kBlockSpi, reg::SPI0CN, 0x01),
         All({Or(kBlockSpi, reg::SPI0CN, 0x01), Set(kBlockPortIO, reg::XBR0, 0x02)}),
         "error: SPI0: SPI0 is enabled but not on the crossbar, so its signals have no pins [Port I/O > Priority Crossbar]",
         "SPI0 is enabled"},
        {"CEX pin missing", 0xD6, All({Set(kBlockPca, reg::PCA0CPM1, 0x46), Set(kBlockPortIO, reg::XBR1, 0x41)}),
         All({Set(kBlockPca, reg::PCA0CPM1, 0x46), Set(kBlockPortIO, reg::XBR1, 0x42)}),
         "error: PCA0: Module 1 drives CEX1 (Frequency Output), but CEX1 is not enabled on the crossbar "
         "[Port I/O > Priority Crossbar]",
         "CEX1"},
        {"signal without a pin", 0xD0, Set(kBlockPortIO, reg::XBR0, 0x13), Set(kBlockPortIO, reg::XBR0, 0x03),
         "error: Port I/O: CP0 is enabled on the crossbar, but no free pin is left for it [Port I/O > Priority Crossbar]",
         "no free pin"},
        {"comparator output while off", 0xD6,
         All({Set(kBlockPortIO, reg::XBR0, 0x10), Set(kBlockPortIO, reg::XBR1, 0x40)}),
         All({Set(kBlockPortIO, reg::XBR0, 0x10), Set(kBlockPortIO, reg::XBR1, 0x40),
              Set(kBlockComparator, reg::CPT0CN, 0x80)}),
         "warning: Comparator0: CP0 is routed to P0.0, but Comparator0 is disabled [Comparator > Comparator0]",
         "is routed"},
        {"crossbar disabled", 0xD6, Set(kBlockPortIO, reg::XBR0, 0x10),
         All({Set(kBlockPortIO, reg::XBR0, 0x10), Set(kBlockPortIO, reg::XBR1, 0x40)}),
         "warning: Port I/O: The crossbar is disabled, so no peripheral signal reaches its pin "
         "[Port I/O > Priority Crossbar]",
         "crossbar is disabled"},
        {"baud timer stopped (the calculator's Yes)", 0xD6,
         All({Sysclk(24500000), Set(kBlockTimers, reg::CKCON, 0x08), Set(kBlockTimers, reg::TMOD, 0x20),
              Set(kBlockTimers, reg::TH1, 0x96)}),
         kUartRunning, "warning: UART0: Timer 1 is stopped, so UART0 has no baud clock [Timers > Timer 1]", "Timer 1 is"},
        {"baud timer not auto-reload", 0xD6, All({kUartRunning, Set(kBlockTimers, reg::TMOD, 0x10)}), kUartRunning,
         "warning: UART0: Timer 1 is not an 8-bit auto-reload timer, so UART0 has no steady baud clock "
         "[Timers > Timer 1]",
         "Timer 1 is"},
        {"ADC0 started by a stopped timer 2", 0xD6, All({kAdcOn, Or(kBlockAdc, reg::ADC0CN, 0x03)}),
         All({kAdcOn, Or(kBlockAdc, reg::ADC0CN, 0x03), Set(kBlockTimers, reg::TMR2CN, 0x04)}),
         "warning: ADC0: ADC0 starts conversions on Timer 2 overflows, but Timer 2 is stopped [Timers > Timer 2]",
         "Timer 2 is stopped"},
        {"ADC0 without bias", 0xD6, All({kAdcOn, Set(kBlockVoltageReference, reg::REF0CN, 0x08)}), kAdcOn,
         "error: ADC0: ADC0 is enabled, but the internal bias generator is off [Voltage Reference > Voltage Reference]",
         "bias"},
        {"ADC0 on the temperature sensor while it is off", 0xD6, All({kAdcOn, Set(kBlockAdc, reg::ADC0MX, 0x18)}),
         All({kAdcOn, Set(kBlockAdc, reg::ADC0MX, 0x18), Or(kBlockVoltageReference, reg::REF0CN, 0x04)}),
         "warning: ADC0: ADC0 reads the temperature sensor, but the temperature sensor is off "
         "[Voltage Reference > Voltage Reference]",
         "temperature"},
        {"comparator reset source while off", 0xD6, Set(kBlockComparatorReset, reg::RSTSRC, 0x20),
         All({Set(kBlockComparatorReset, reg::RSTSRC, 0x20), Set(kBlockComparator, reg::CPT0CN, 0x80)}),
         "error: Reset Sources: Comparator0 is a reset source, but Comparator0 is disabled [Comparator > Comparator0]",
         "reset source"},
        {"VDD monitor reset source while off", 0xD6, Set(kBlockResetSources, reg::RSTSRC, 0x02),
         All({Set(kBlockResetSources, reg::RSTSRC, 0x02), Set(kBlockResetSources, reg::VDM0CN, 0x80)}),
         "error: Reset Sources: The VDD monitor is a reset source, but the VDD monitor is disabled "
         "[Reset Sources > Power-Fail Reset/VDD Monitor]",
         "reset source"},
        {"external SYSCLK of 0 Hz", 0xD6,
         All({Set(kBlockOscillators, reg::OSCXCN, 0x20), Set(kBlockOscillators, reg::CLKSEL, 0x01), Sysclk(0)}),
         All({Set(kBlockOscillators, reg::OSCXCN, 0x20), Set(kBlockOscillators, reg::CLKSEL, 0x01), Sysclk(16000000)}),
         "error: SYSCLK: SYSCLK comes from the external oscillator at 0 Hz [Oscillators > External Oscillator]",
         "SYSCLK comes"},
        {"external SYSCLK while the oscillator is off", 0xD6, Set(kBlockOscillators, reg::CLKSEL, 0x01),
         All({Set(kBlockOscillators, reg::OSCXCN, 0x20), Set(kBlockOscillators, reg::CLKSEL, 0x01)}),
         "error: SYSCLK: SYSCLK comes from the external oscillator, which is off [Oscillators > External Oscillator]",
         "which is off"},
        {"internal SYSCLK while the oscillator is disabled", 0xD6, Set(kBlockOscillators, reg::OSCICN, 0x00),
         Set(kBlockOscillators, reg::OSCICN, 0x80),
         "error: SYSCLK: SYSCLK comes from the internal oscillator, which is disabled "
         "[Oscillators > Internal Oscillator]",
         "SYSCLK comes"},
        {"a source without global enable", 0xD6, Set(kBlockInterrupts, reg::IE, 0x20), Set(kBlockInterrupts, reg::IE, 0xA0),
         "warning: Interrupts: Interrupts are globally disabled, so the enabled Timer 2 interrupt never runs "
         "[Interrupts > Enable Interrupts]",
         "globally"},
        {"global enable without a source", 0xD6, Set(kBlockInterrupts, reg::IE, 0x80), Set(kBlockInterrupts, reg::IE, 0xA0),
         "note: Interrupts: Interrupts are globally enabled, but no interrupt source is [Interrupts > Enable Interrupts]",
         "globally"},
        {"watchdog running after reset", 0xD6, [](CK74x_75xDoc&) {}, kWatchdogOff,
         "note: Watchdog: The watchdog is enabled with a 16.0 ms timeout: the firmware must feed it, or it resets the "
         "device [PCA > Module 2/WDT]",
         "watchdog"},
        {"baud rate within 2 % of a standard rate", 0xD6, kUartRunning,
         All({kUartRunning, Sysclk(22118400), Set(kBlockTimers, reg::TH1, 0xF4)}),
         "note: UART0: UART0 runs at 115566 bps, 0.32 % above the standard 115200 bps [Timers > Timer 1]", "runs at"},
        {"baud rate beyond 2 % of a standard rate", 0xD6, All({kUartRunning, Set(kBlockTimers, reg::TH1, 0xF3)}),
         All({kUartRunning, Sysclk(22118400), Set(kBlockTimers, reg::TH1, 0xF4)}),
         "warning: UART0: UART0 runs at 942307 bps, 2.25 % above the standard 921600 bps [Timers > Timer 1]", "runs at"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        CK74x_75xDoc bad = NewProject(row.deviceId);
        row.bad(bad);
        const std::string badLines = ProblemLines(OverviewOf(bad));
        EXPECT_NE(badLines.find(std::string(row.line) + "\n"), std::string::npos) << badLines;
        CK74x_75xDoc good = NewProject(row.deviceId);
        row.good(good);
        const std::string goodLines = ProblemLines(OverviewOf(good));
        EXPECT_EQ(goodLines.find(row.key), std::string::npos) << goodLines;
    }
}

TEST(Overview, NewProjectHasOnlyTheWatchdogNoteAndErrorsComeFirst) {
    for (std::uint8_t deviceId : {std::uint8_t{0xD0}, std::uint8_t{0xDB}}) {
        const fw::ChipOverview overview = OverviewOf(NewProject(deviceId));
        ASSERT_EQ(overview.problems.size(), 1u);
        EXPECT_EQ(overview.problems[0].severity, fw::Severity::Note);
    }
    CK74x_75xDoc document = NewProject(0xD6);
    All({Set(kBlockInterrupts, reg::IE, 0x80), Set(kBlockOscillators, reg::OSCICN, 0x00)})(document);
    const fw::ChipOverview overview = OverviewOf(document);
    ASSERT_EQ(overview.problems.size(), 3u);
    EXPECT_EQ(overview.problems[0].severity, fw::Severity::Error);
    EXPECT_EQ(overview.problems[1].severity, fw::Severity::Note);
    EXPECT_EQ(overview.problems[2].severity, fw::Severity::Note);
    EXPECT_EQ(fw::CountsText(fw::CountProblems(overview.problems)), "1 error, 0 warnings, 2 notes");
}

TEST(Overview, PinMapShowsSignalsAnalogUsersAndModes) {
    CK74x_75xDoc document = NewProject(0xD0);
    // UART0 and CEX0 on the crossbar, P0.0 analog for ADC0, P0.2 skipped,
    // P0.4 (TX) push-pull.
    All({kAdcOn, Set(kBlockAdc, reg::ADC0MX, 0x00), PinMode(0, true), PinMode(2, false),
         Set(kBlockPortIO, reg::XBR0, 0x01), Set(kBlockPortIO, reg::XBR1, 0x41), Set(kBlockPortIO, reg::P0MDOUT, 0x10)})(
        document);
    EXPECT_EQ(fw::PinTableText(OverviewOf(document).pins),
              "Pin   Function     Signal           Mode     Output      Skip\n"
              "P0.0  analog       ADC0 input       analog   open-drain  skipped\n"
              "P0.1  peripheral   CEX0             digital  open-drain  -\n"
              "P0.2  skipped      -                digital  open-drain  skipped\n"
              "P0.3  general I/O  -                digital  open-drain  -\n"
              "P0.4  peripheral   UART0 TX         digital  push-pull   -\n"
              "P0.5  peripheral   UART0 RX         digital  open-drain  -\n");
    EXPECT_EQ(OverviewOf(NewProject(0xDB)).pins.size(), 16u);
    EXPECT_EQ(OverviewOf(NewProject(0xDB)).pins.back().name, "P1.7");
}

TEST(Overview, ClockTreeOfANewProjectAndOfARunningUart) {
    EXPECT_EQ(fw::ClockTreeText(OverviewOf(NewProject(0xD6)).clocks),
              "Internal oscillator           24500000 Hz   enabled  [Oscillators > Internal Oscillator]\n"
              "  Internal oscillator / 128   191406 Hz     divided by 128  [Oscillators > Internal Oscillator]\n"
              "    SYSCLK                    191406 Hz     internal oscillator / 128  [Oscillators > SYSCLK Select]\n"
              "      Timer 0 clock           15950 Hz      SYSCLK / 12 (off)  [Timers > Timer 0]\n"
              "        Timer 0 overflow      62 Hz         13-bit, reload TH0 = 0x00 (off)  [Timers > Timer 0]\n"
              "      Timer 1 clock           15950 Hz      SYSCLK / 12 (off)  [Timers > Timer 1]\n"
              "        Timer 1 overflow      62 Hz         13-bit, reload TH1 = 0x00 (off)  [Timers > Timer 1]\n"
              "          UART0 baud rate     31 bps        Timer 1 overflow / 2; nearest standard rate 300 bps "
              "(-89.67 %) (off)  [UART > UART0]\n"
              "      Timer 2 clock           15950 Hz      SYSCLK / 12 (off)  [Timers > Timer 2]\n"
              "        Timer 2 overflow      0 Hz          16-bit auto-reload, reload 0x0000 (off)  [Timers > Timer 2]\n"
              "      SPI0 SCK                95703 Hz      SYSCLK / 2, SPI0CKR = 0x00 (off)  [SPI > SPI0]\n"
              "      ADC0 SAR clock          5981 Hz       SYSCLK / 32, AD0SC = 31 (off)  [ADC > ADC0]\n"
              "      PCA0 time base          15950 Hz      SYSCLK / 12 (off)  [PCA > PCA0]\n"
              "        Watchdog timeout      16.0 ms       enabled  [PCA > Module 2/WDT]\n"
              "External oscillator           0 Hz          not used (off)  [Oscillators > External Oscillator]\n");
    CK74x_75xDoc document = NewProject(0xD6);
    kUartRunning(document);
    const fw::ChipOverview overview = OverviewOf(document);
    const auto uart = std::find_if(overview.clocks.begin(), overview.clocks.end(),
                                   [](const fw::ClockInfo& clock) { return clock.id == "uart0"; });
    ASSERT_NE(uart, overview.clocks.end());
    EXPECT_EQ(uart->text, "115566 bps");
    EXPECT_TRUE(uart->running);
    EXPECT_EQ(uart->detail, "Timer 1 overflow / 2; nearest standard rate 115200 bps (+0.32 %)");
}

TEST(Overview, TextsOfProblemsAndCounts) {
    const fw::Problem problem{fw::Severity::Warning, "UART0", "Timer 1 is stopped, so UART0 has no baud clock",
                              {"Timers", "Timer 1"}};
    EXPECT_EQ(fw::ProblemLine("board.rsg", problem),
              "board.rsg: warning: UART0: Timer 1 is stopped, so UART0 has no baud clock [Timers > Timer 1]");
    EXPECT_EQ(fw::ProblemLine({}, {fw::Severity::Error, "", "no sheet", {}}), "error: no sheet");
    EXPECT_EQ(fw::CountsText({2, 1, 1}), "2 errors, 1 warning, 1 note");
    EXPECT_EQ(fw::CountsText({}), "0 errors, 0 warnings, 0 notes");
    EXPECT_EQ(fw::ProblemsJson({problem}),
              "[\n  {\"severity\": \"warning\", \"peripheral\": \"UART0\", \"message\": \"Timer 1 is stopped, so UART0 "
              "has no baud clock\", \"sheet\": \"Timers\", \"page\": \"Timer 1\"}\n]");
    EXPECT_EQ(fw::ProblemsJson({}), "[]");
    EXPECT_EQ(fw::JsonQuoted("a\"b\\\n\x01"), "\"a\\\"b\\\\\\n\\u0001\"");
}

TEST(Overview, NearestStandardBaudRate) {
    const std::pair<std::uint32_t, std::uint32_t> rows[] = {
        {0, 300}, {31, 300}, {115566, 115200}, {942307, 921600}, {4000000, 921600}, {13000, 14400}, {11000, 9600}};
    for (const auto& [bps, standard] : rows) EXPECT_EQ(NearestStandardBaudRate(bps), standard) << bps;
}

TEST(Overview, MissingBlocksReadAsClear) {
    fw::ChipOverview overview;
    BuildOverview({0xD0, nullptr, nullptr}, overview);
    EXPECT_EQ(overview.model, "QK740");
    EXPECT_EQ(overview.pins.size(), 6u);
    EXPECT_FALSE(overview.clocks.empty());
}

}  // namespace
}  // namespace regsmith
