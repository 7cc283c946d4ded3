#pragma once
// The fields of the registers that pages show, one record per field: its
// block, its entry, its mask, its name in the pages' own words (what
// `regsmith-cli diff` and `dump --changed` print) and, for a field the user
// picks from a set, its values with their captions.  The pages bind these
// records, the interrupt pages lay them out, and the tools name changes with
// them, so that a field is described once.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/device_data.h"
#include "model/register_tables.h"

namespace regsmith {

// One value of a field the user picks from a set, with the caption of its
// radio button or list item.  The value stands where the field does (0x20
// for mode 2 of TMOD bits 5-4).
struct FieldChoice {
    std::string_view caption;
    std::uint8_t value;
};

struct RegisterField {
    std::int32_t block;
    int entry;
    std::uint8_t mask;
    std::string_view name;
    std::span<const FieldChoice> choices{};
    // The control's caption where it says more than the name.
    std::string_view caption{};

    constexpr std::string_view Caption() const { return caption.empty() ? name : caption; }
};

// A record is made from an entry, so it cannot name a block that entry is
// not in.
template <std::int32_t Block>
constexpr RegisterField MakeField(Entry<Block> entry, std::uint8_t mask, std::string_view name,
                                  std::span<const FieldChoice> choices = {}, std::string_view caption = {}) {
    return {Block, entry.index, mask, name, choices, caption};
}

// Whether two block numbers hold the same table (blocks 0 and 8 share one).
constexpr bool SameTable(std::int32_t a, std::int32_t b) {
    auto table = [](std::int32_t n) { return n == kBlockComparatorReset ? kBlockResetSources : n; };
    return table(a) == table(b);
}

namespace field {

// ---- Interrupts ------------------------------------------------------------
inline constexpr RegisterField IE_EA = MakeField(reg::IE, 0x80, "Enable All Interrupts", {},
                                                 "Enable All Interrupts   (If not checked, all interrupts are ignored)");
inline constexpr RegisterField IE_ESPI0 = MakeField(reg::IE, 0x40, "Enable SPI0 Interrupt");
inline constexpr RegisterField IE_ET2 = MakeField(reg::IE, 0x20, "Enable Timer 2 Interrupt");
inline constexpr RegisterField IE_ES0 = MakeField(reg::IE, 0x10, "Enable UART0 Interrupt");
inline constexpr RegisterField IE_ET1 = MakeField(reg::IE, 0x08, "Enable Timer 1 Interrupt");
inline constexpr RegisterField IE_EX1 = MakeField(reg::IE, 0x04, "Enable /INT1 Interrupt");
inline constexpr RegisterField IE_ET0 = MakeField(reg::IE, 0x02, "Enable Timer 0 Interrupt");
inline constexpr RegisterField IE_EX0 = MakeField(reg::IE, 0x01, "Enable /INT0 Interrupt");
inline constexpr RegisterField EIE1_EMAT = MakeField(reg::EIE1, 0x80, "Enable Port Match Interrupt");
inline constexpr RegisterField EIE1_EREG0 = MakeField(reg::EIE1, 0x40, "Enable Voltage Regulator Interrupt");
inline constexpr RegisterField EIE1_ELIN = MakeField(reg::EIE1, 0x20, "Enable LIN Interrupt");
inline constexpr RegisterField EIE1_ECPR = MakeField(reg::EIE1, 0x10, "Enable CP0 Rising Interrupt");
inline constexpr RegisterField EIE1_ECPF = MakeField(reg::EIE1, 0x08, "Enable CP0 Falling Interrupt");
inline constexpr RegisterField EIE1_EPCA0 = MakeField(reg::EIE1, 0x04, "Enable PCA0 Interrupt");
inline constexpr RegisterField EIE1_EADC0 = MakeField(reg::EIE1, 0x02, "Enable AD0INT Interrupt");
inline constexpr RegisterField EIE1_EWADC0 = MakeField(reg::EIE1, 0x01, "Enable AD0WINT Interrupt");
inline constexpr RegisterField IP_PSPI0 = MakeField(reg::IP, 0x40, "Set SPI0 Priority High");
inline constexpr RegisterField IP_PT2 = MakeField(reg::IP, 0x20, "Set Timer 2 Priority High");
inline constexpr RegisterField IP_PS0 = MakeField(reg::IP, 0x10, "Set UART0 Priority High");
inline constexpr RegisterField IP_PT1 = MakeField(reg::IP, 0x08, "Set Timer 1 Priority High");
inline constexpr RegisterField IP_PX1 = MakeField(reg::IP, 0x04, "Set /INT1 Priority High");
inline constexpr RegisterField IP_PT0 = MakeField(reg::IP, 0x02, "Set Timer 0 Priority High");
inline constexpr RegisterField IP_PX0 = MakeField(reg::IP, 0x01, "Set /INT0 Priority High");
inline constexpr RegisterField EIP1_PMAT = MakeField(reg::EIP1, 0x80, "Set Port Match Priority High");
inline constexpr RegisterField EIP1_PREG0 = MakeField(reg::EIP1, 0x40, "Set Voltage Regulator Priority High");
inline constexpr RegisterField EIP1_PLIN = MakeField(reg::EIP1, 0x20, "Set LIN Priority High");
inline constexpr RegisterField EIP1_PCPR = MakeField(reg::EIP1, 0x10, "Set CP0 Rising Priority High");
inline constexpr RegisterField EIP1_PCPF = MakeField(reg::EIP1, 0x08, "Set CP0 Falling Priority High");
inline constexpr RegisterField EIP1_PPCA0 = MakeField(reg::EIP1, 0x04, "Set PCA0 Priority High");
inline constexpr RegisterField EIP1_PADC0 = MakeField(reg::EIP1, 0x02, "Set AD0INT Priority High");
inline constexpr RegisterField EIP1_PWADC0 = MakeField(reg::EIP1, 0x01, "Set AD0WINT Priority High");
inline constexpr FieldChoice kInt1Polarity[] = {{"/INT1 Active Low", 0x00}, {"/INT1 Active High", 0x80}};
inline constexpr FieldChoice kInt0Polarity[] = {{"/INT0 Active Low", 0x00}, {"/INT0 Active High", 0x08}};
inline constexpr RegisterField IT01CF_IN1PL = MakeField(reg::IT01CF, 0x80, "/INT1 Active High", kInt1Polarity);
inline constexpr RegisterField IT01CF_IN1SL = MakeField(reg::IT01CF, 0x70, "/INT1 Port Pin Selection");
inline constexpr RegisterField IT01CF_IN0PL = MakeField(reg::IT01CF, 0x08, "/INT0 Active High", kInt0Polarity);
inline constexpr RegisterField IT01CF_IN0SL = MakeField(reg::IT01CF, 0x07, "/INT0 Port Pin Selection");

// ---- Port I/O, in the words of the "Priority Crossbar" page -----------------
inline constexpr RegisterField XBR0_CP0AE = MakeField(reg::XBR0, 0x20, "CP0A");
inline constexpr RegisterField XBR0_CP0E = MakeField(reg::XBR0, 0x10, "CP0");
inline constexpr RegisterField XBR0_SYSCKE = MakeField(reg::XBR0, 0x08, "SYSCLK");
inline constexpr RegisterField XBR0_LINE = MakeField(reg::XBR0, 0x04, "LIN");
inline constexpr RegisterField XBR0_SPI0E = MakeField(reg::XBR0, 0x02, "SPI0");
inline constexpr RegisterField XBR0_URT0E = MakeField(reg::XBR0, 0x01, "UART0");
inline constexpr RegisterField XBR1_WEAKPUD = MakeField(reg::XBR1, 0x80, "Disable Weak Pull-up");
inline constexpr RegisterField XBR1_XBARE = MakeField(reg::XBR1, 0x40, "Enable Crossbar");
inline constexpr RegisterField XBR1_T1E = MakeField(reg::XBR1, 0x20, "Timer1");
inline constexpr RegisterField XBR1_T0E = MakeField(reg::XBR1, 0x10, "Timer0");
inline constexpr RegisterField XBR1_ECIE = MakeField(reg::XBR1, 0x08, "ECI");
inline constexpr RegisterField XBR1_PCA0ME = MakeField(reg::XBR1, 0x07, "PCA (CEX count)");

// ---- Oscillators -----------------------------------------------------------
inline constexpr FieldChoice kExternalModes[] = {
    {"External Oscillator Off", 0x00}, {"External CMOS", 0x20},        {"External CMOS / 2", 0x30},
    {"RC Oscillator", 0x40},           {"Capacitor Oscillator", 0x50}, {"Crystal Oscillator", 0x60},
    {"Crystal Oscillator / 2", 0x70},
};
inline constexpr RegisterField OSCXCN_XOSCMD = MakeField(reg::OSCXCN, 0x70, "External Oscillator Mode", kExternalModes);
inline constexpr RegisterField OSCXCN_XFCN = MakeField(reg::OSCXCN, 0x07, "Frequency Control Bits");
inline constexpr FieldChoice kInternalEnable[] = {
    {"Disable Internal Oscillator", 0x00},
    {"Enable Internal Oscillator in Ultra Low Power Mode", 0x40},
    {"Enable Internal Oscillator in Very Low Power Mode", 0x80},
    {"Enable Internal Oscillator in Low Power Mode", 0xC0},
};
inline constexpr RegisterField OSCICN_IOSCEN = MakeField(reg::OSCICN, 0xC0, "Internal Oscillator Enable", kInternalEnable);
inline constexpr FieldChoice kInternalDividers[] = {
    {"Internal Oscillator / 128  (191,406 Hz)", 0}, {"Internal Oscillator / 64  (382,812 Hz)", 1},
    {"Internal Oscillator / 32  (765,625 Hz)", 2},  {"Internal Oscillator / 16  (1,531,250 Hz)", 3},
    {"Internal Oscillator / 8  (3.0625 MHz)", 4},   {"Internal Oscillator / 4  (6.125 MHz)", 5},
    {"Internal Oscillator / 2  (12.25 MHz)", 6},    {"Internal Oscillator / 1  (24.5 MHz)", 7},
};
inline constexpr RegisterField OSCICN_IFCN = MakeField(reg::OSCICN, 0x07, "Frequency Derived From", kInternalDividers);
inline constexpr FieldChoice kOutputDividers[] = {
    {"SYSCLK / 1", 0x00}, {"SYSCLK / 2", 0x10}, {"SYSCLK / 4", 0x20}, {"SYSCLK / 8", 0x30}};
inline constexpr RegisterField CLKSEL_CLKDIV = MakeField(reg::CLKSEL, 0x30, "Output /SYSCLK Divide Value", kOutputDividers);
inline constexpr FieldChoice kSysclkSources[] = {
    {"Use Internal Oscillator as SYSCLK", 0x00}, {"Use External Oscillator as SYSCLK", 0x01}};
inline constexpr RegisterField CLKSEL_CLKSL = MakeField(reg::CLKSEL, 0x01, "Use External Oscillator as SYSCLK", kSysclkSources);

// ---- Timers 0, 1 and 2 ------------------------------------------------------
inline constexpr RegisterField TCON_TR1 = MakeField(reg::TCON, 0x40, "Timer 1: Enable Timer", {}, "Enable Timer");
inline constexpr RegisterField TCON_TR0 =
    MakeField(reg::TCON, 0x10, "Timer 0: Enable Timer (TL0 in Mode 3)", {}, "Enable Timer (TL0 in Mode 3)");
inline constexpr FieldChoice kInt1Trigger[] = {{"/INT1 is Level Triggered", 0x00}, {"/INT1 is Edge Triggered", 0x04}};
inline constexpr FieldChoice kInt0Trigger[] = {{"/INT0 is Level Triggered", 0x00}, {"/INT0 is Edge Triggered", 0x01}};
inline constexpr RegisterField TCON_IT1 = MakeField(reg::TCON, 0x04, "/INT1 is Edge Triggered", kInt1Trigger);
inline constexpr RegisterField TCON_IT0 = MakeField(reg::TCON, 0x01, "/INT0 is Edge Triggered", kInt0Trigger);
inline constexpr RegisterField TMOD_GATE1 = MakeField(reg::TMOD, 0x80, "Gate Timer Depending on /INT1");
inline constexpr RegisterField TMOD_CT1 = MakeField(reg::TMOD, 0x40, "External T1");
inline constexpr FieldChoice kTimer1Modes[] = {{"13 Bit Counter/Timer", 0x00},
                                               {"16 Bit Counter/Timer", 0x10},
                                               {"8 Bit Counter/Timer Auto-Reload", 0x20},
                                               {"Timer 1 Disabled", 0x30}};
inline constexpr RegisterField TMOD_T1M = MakeField(reg::TMOD, 0x30, "Timer 1: Timer Mode", kTimer1Modes);
inline constexpr RegisterField TMOD_GATE0 = MakeField(reg::TMOD, 0x08, "Gate Timer Depending on /INT0");
inline constexpr RegisterField TMOD_CT0 = MakeField(reg::TMOD, 0x04, "External T0");
inline constexpr FieldChoice kTimer0Modes[] = {{"13 Bit Counter/Timer", 0x00},
                                               {"16 Bit Counter/Timer", 0x01},
                                               {"8 Bit Counter/Timer Auto-Reload", 0x02},
                                               {"Two 8 Bit Counter/Timers", 0x03}};
inline constexpr RegisterField TMOD_T0M = MakeField(reg::TMOD, 0x03, "Timer 0: Timer Mode", kTimer0Modes);
inline constexpr RegisterField CKCON_T2MH = MakeField(reg::CKCON, 0x20, "TMR2H Clock Source: SYSCLK");
inline constexpr RegisterField CKCON_T2ML = MakeField(reg::CKCON, 0x10, "Timer 2 Clock Source: SYSCLK");
inline constexpr RegisterField CKCON_T1M = MakeField(reg::CKCON, 0x08, "Timer 1 Clock Source: SYSCLK");
inline constexpr RegisterField CKCON_T0M = MakeField(reg::CKCON, 0x04, "Timer 0 Clock Source: SYSCLK");
inline constexpr FieldChoice kPrescalers[] = {
    {"SYSCLK / 12", 0x00}, {"SYSCLK / 4", 0x01}, {"SYSCLK / 48", 0x02}, {"External Oscillator / 8", 0x03}};
inline constexpr RegisterField CKCON_SCA = MakeField(reg::CKCON, 0x03, "Prescaled Clock Inputs", kPrescalers);
inline constexpr RegisterField TMR2CN_TF2LEN = MakeField(reg::TMR2CN, 0x20, "Enable Timer 2 Low Byte Overflow");
inline constexpr RegisterField TMR2CN_T2CE = MakeField(reg::TMR2CN, 0x10, "Enable Capture using External Oscillator / 8");
inline constexpr FieldChoice kTimer2Modes[] = {{"16 Bit Auto Reload Timer", 0x00}, {"Two 8 Bit Auto Reload Timers", 0x08}};
inline constexpr RegisterField TMR2CN_T2SPLIT = MakeField(reg::TMR2CN, 0x08, "Two 8 Bit Auto Reload Timers", kTimer2Modes);
inline constexpr RegisterField TMR2CN_TR2 = MakeField(reg::TMR2CN, 0x04, "Timer 2: Enable Timer", {}, "Enable Timer");
inline constexpr RegisterField TMR2CN_T2XCLK = MakeField(reg::TMR2CN, 0x01, "Timer 2: External Oscillator / 8");

// ---- UART0 -----------------------------------------------------------------
inline constexpr FieldChoice kUartModes[] = {{"8 Bit UART", 0x00}, {"9 Bit UART", 0x80}};
inline constexpr RegisterField SCON0_S0MODE = MakeField(reg::SCON0, 0x80, "9 Bit UART", kUartModes);
inline constexpr FieldChoice kStopBitChecks[] = {
    {"Logic level of stop bit ignored", 0x00}, {"RI0 will only be activated if stop bit is logic level 1", 0x20}};
inline constexpr RegisterField SCON0_MCE0 = MakeField(reg::SCON0, 0x20, "Stop Bit / Ninth Bit Check", kStopBitChecks);
inline constexpr RegisterField SCON0_REN0 = MakeField(reg::SCON0, 0x10, "Enable UART0 Reception");

// ---- PCA0 and its modules --------------------------------------------------
inline constexpr RegisterField PCA0CN_CR = MakeField(reg::PCA0CN, 0x40, "Enable PCA0");
inline constexpr RegisterField PCA0MD_CIDL =
    MakeField(reg::PCA0MD, 0x80, "Suspend PCA operation while system controller is in Idle Mode");
inline constexpr RegisterField PCA0MD_WDLCK = MakeField(reg::PCA0MD, 0x20, "Watchdog Lock");
inline constexpr FieldChoice kPcaTimeBases[] = {
    {"SYSCLK / 12", 0x00},     {"SYSCLK / 4", 0x02},
    {"Timer 0 Overflow", 0x04}, {"High to Low Transitions on ECI", 0x06},
    {"SYSCLK", 0x08},          {"External Oscillator / 8", 0x0A},
};
inline constexpr RegisterField PCA0MD_CPS = MakeField(reg::PCA0MD, 0x0E, "PCA Timebase Input", kPcaTimeBases);
inline constexpr RegisterField PCA0MD_ECF =
    MakeField(reg::PCA0MD, 0x01, "Enable PCA Counter/Timer Overflow Interrupt", {},
              "Enable PCA Counter/Timer Overflow Interrupt (occurs when CF is set)");
inline constexpr RegisterField PCA0CPM0_MODE = MakeField(reg::PCA0CPM0, 0xFE, "Module 0 Mode");
inline constexpr RegisterField PCA0CPM0_ECCF =
    MakeField(reg::PCA0CPM0, 0x01, "Module 0: Enable CCF Interrupt", {}, "Enable CCF Interrupt");
inline constexpr RegisterField PCA0CPM1_MODE = MakeField(reg::PCA0CPM1, 0xFE, "Module 1 Mode");
inline constexpr RegisterField PCA0CPM1_ECCF =
    MakeField(reg::PCA0CPM1, 0x01, "Module 1: Enable CCF Interrupt", {}, "Enable CCF Interrupt");
inline constexpr RegisterField PCA0CPM2_MODE = MakeField(reg::PCA0CPM2, 0xFE, "Module 2 Mode");
inline constexpr RegisterField PCA0CPM2_ECCF =
    MakeField(reg::PCA0CPM2, 0x01, "Module 2: Enable CCF Interrupt", {}, "Enable CCF Interrupt");

// ---- SPI0 ------------------------------------------------------------------
inline constexpr FieldChoice kSpiModes[] = {{"Operate in Slave Mode", 0x00}, {"Operate in Master Mode", 0x40}};
inline constexpr RegisterField SPI0CFG_MSTEN = MakeField(reg::SPI0CFG, 0x40, "Operate in Master Mode", kSpiModes);
inline constexpr FieldChoice kClockPhases[] = {
    {"Data Centered on First Edge of SCK", 0x00}, {"Data Centered on Second Edge of SCK", 0x20}};
inline constexpr RegisterField SPI0CFG_CKPHA =
    MakeField(reg::SPI0CFG, 0x20, "Data Centered on Second Edge of SCK", kClockPhases);
inline constexpr FieldChoice kClockPolarities[] = {
    {"SCK Line Low in Idle State", 0x00}, {"SCK Line High in Idle State", 0x10}};
inline constexpr RegisterField SPI0CFG_CKPOL = MakeField(reg::SPI0CFG, 0x10, "SCK Line High in Idle State", kClockPolarities);
inline constexpr FieldChoice kWireModes[] = {{"3 Wire Slave or 3 Wire Master Mode", 0x00},
                                             {"4 Wire Slave or Multi Master Mode", 0x04},
                                             {"4 Wire Single Master Mode", 0x08}};
inline constexpr RegisterField SPI0CN_NSSMD = MakeField(reg::SPI0CN, 0x0C, "Slave Mode Select (NSS)", kWireModes);
inline constexpr RegisterField SPI0CN_SPIEN = MakeField(reg::SPI0CN, 0x01, "Enable SPI0");

// ---- ADC0 ------------------------------------------------------------------
inline constexpr RegisterField ADC0MX_AMX0P = MakeField(reg::ADC0MX, 0x1F, "Input Channel");
inline constexpr RegisterField ADC0CF_AD0SC = MakeField(reg::ADC0CF, 0xF8, "AD0SC");
inline constexpr FieldChoice kRepeatCounts[] = {{"1 conversion performed", 0x00},
                                                {"4 conversions performed and accumulated", 0x02},
                                                {"8 conversions performed and accumulated", 0x04},
                                                {"16 conversions performed and accumulated", 0x06}};
inline constexpr RegisterField ADC0CF_AD0RPT = MakeField(reg::ADC0CF, 0x06, "Repeat Count", kRepeatCounts);
inline constexpr RegisterField ADC0CN_AD0EN = MakeField(reg::ADC0CN, 0x80, "Enable ADC0");
inline constexpr RegisterField ADC0CN_BURSTEN = MakeField(reg::ADC0CN, 0x40, "Enable Burst Mode");
inline constexpr RegisterField ADC0CN_AD0LJST = MakeField(reg::ADC0CN, 0x04, "Left justify ADC0H:ADC0L registers");
inline constexpr FieldChoice kConversionStarts[] = {{"every write of '1' to AD0BUSY", 0x00},
                                                    {"on overflow of Timer 2", 0x03},
                                                    {"on rising edge of external CNVSTR", 0x02}};
inline constexpr RegisterField ADC0CN_AD0CM = MakeField(reg::ADC0CN, 0x03, "Start of Conversion Mode", kConversionStarts);
inline constexpr FieldChoice kPowerUpTimes[] = {
    {"200 ns", 0x00},  {"400 ns", 0x10},  {"600 ns", 0x20},  {"800 ns", 0x30},  {"1000 ns", 0x40}, {"1200 ns", 0x50},
    {"1400 ns", 0x60}, {"1600 ns", 0x70}, {"1800 ns", 0x80}, {"2000 ns", 0x90}, {"2200 ns", 0xA0}, {"2400 ns", 0xB0},
    {"2600 ns", 0xC0}, {"2800 ns", 0xD0}, {"3000 ns", 0xE0}, {"3200 ns", 0xF0},
};
inline constexpr RegisterField ADC0TK_AD0PWR = MakeField(reg::ADC0TK, 0xF0, "Burst Power Up Time", kPowerUpTimes);
inline constexpr FieldChoice kTrackingModes[] = {
    {"Pre-Tracking Mode", 0x08}, {"Dual-Tracking Mode", 0x0C}, {"Post-Tracking Mode", 0x04}};
inline constexpr RegisterField ADC0TK_AD0TM = MakeField(reg::ADC0TK, 0x0C, "Tracking Mode", kTrackingModes);
inline constexpr FieldChoice kPostTrackingTimes[] = {{"2 SAR clock cycles", 0x00},
                                                     {"4 SAR clock cycles", 0x01},
                                                     {"8 SAR clock cycles", 0x02},
                                                     {"16 SAR clock cycles", 0x03}};
inline constexpr RegisterField ADC0TK_AD0TK = MakeField(reg::ADC0TK, 0x03, "Post-Tracking time", kPostTrackingTimes);

// ---- Comparator0 -----------------------------------------------------------
inline constexpr RegisterField CPT0CN_CP0EN = MakeField(reg::CPT0CN, 0x80, "Enable Comparator0");
inline constexpr FieldChoice kPositiveHysteresis[] = {
    {"Disabled", 0x00}, {"5 mV", 0x04}, {"10 mV", 0x08}, {"20 mV", 0x0C}};
inline constexpr RegisterField CPT0CN_CP0HYP = MakeField(reg::CPT0CN, 0x0C, "Positive Hysteresis", kPositiveHysteresis);
inline constexpr FieldChoice kNegativeHysteresis[] = {
    {"Disabled", 0x00}, {"5 mV", 0x01}, {"10 mV", 0x02}, {"20 mV", 0x03}};
inline constexpr RegisterField CPT0CN_CP0HYN = MakeField(reg::CPT0CN, 0x03, "Negative Hysteresis", kNegativeHysteresis);
inline constexpr RegisterField CPT0MX_CMX0N = MakeField(reg::CPT0MX, 0xF0, "Negative Input");
inline constexpr RegisterField CPT0MX_CMX0P = MakeField(reg::CPT0MX, 0x0F, "Positive Input");
inline constexpr RegisterField CPT0MD_CP0HSE = MakeField(reg::CPT0MD, 0x80, "Enable High Speed Analog Mode");
inline constexpr RegisterField CPT0MD_CP0RIE = MakeField(reg::CPT0MD, 0x20, "Enable Rising Edge Interrupt");
inline constexpr RegisterField CPT0MD_CP0FIE = MakeField(reg::CPT0MD, 0x10, "Enable Falling Edge Interrupt");
inline constexpr RegisterField CPT0MD_CP0MD = MakeField(reg::CPT0MD, 0x03, "Comparator Response Time");

// ---- Voltage reference and regulator ----------------------------------------
inline constexpr FieldChoice kZeroTcChoices[] = {{"ZeroTC auto-enable", 0x00}, {"ZeroTC is on", 0x20}};
inline constexpr RegisterField REF0CN_ZTCEN = MakeField(reg::REF0CN, 0x20, "ZeroTC is on", kZeroTcChoices);
inline constexpr FieldChoice kReferenceLevels[] = {{"1.5V", 0x00}, {"2.25V", 0x10}};
inline constexpr RegisterField REF0CN_REFLV = MakeField(reg::REF0CN, 0x10, "2.25V", kReferenceLevels);
inline constexpr FieldChoice kReferenceSources[] = {{"VREF", 0x00}, {"Vregout", 0x08}};
inline constexpr RegisterField REF0CN_REFSL = MakeField(reg::REF0CN, 0x08, "Vregout", kReferenceSources);
inline constexpr RegisterField REF0CN_TEMPE = MakeField(reg::REF0CN, 0x04, "Enable Temperature Sensor");
inline constexpr RegisterField REF0CN_BIASE = MakeField(reg::REF0CN, 0x02, "Enable Internal Bias Generator");
inline constexpr RegisterField REF0CN_REFBE = MakeField(reg::REF0CN, 0x01, "Enable Internal Reference Buffer");
inline constexpr RegisterField REG0CN_REGDIS = MakeField(reg::REG0CN, 0x80, "Disable Voltage Regulator");
inline constexpr FieldChoice kRegulatorOutputs[] = {
    {"Voltage Regulator Output is 2.0V", 0x00}, {"Voltage Regulator Output is 2.5V", 0x10}};
inline constexpr RegisterField REG0CN_REG0MD =
    MakeField(reg::REG0CN, 0x10, "Voltage Regulator Output is 2.5V", kRegulatorOutputs);

// ---- Reset sources ---------------------------------------------------------
inline constexpr RegisterField VDM0CN_VDMEN = MakeField(reg::VDM0CN, 0x80, "Enable VDD Monitor");
inline constexpr FieldChoice kVddThresholds[] = {
    {"VDD Threshold is set to VRST-LOW", 0x00}, {"VDD Threshold is set to VRST-HIGH", 0x20}};
inline constexpr RegisterField VDM0CN_VDMLVL =
    MakeField(reg::VDM0CN, 0x20, "VDD Threshold is set to VRST-HIGH", kVddThresholds);
inline constexpr RegisterField RSTSRC_C0RSEF =
    MakeField(reg::RSTSRC, 0x20, "Enable Comparator 0 as an Active-Low Reset Source");
inline constexpr RegisterField RSTSRC_MCDRSF = MakeField(reg::RSTSRC, 0x04, "Enable Missing Clock Detector");
inline constexpr RegisterField RSTSRC_PORSF = MakeField(reg::RSTSRC, 0x02, "Enable VDD Monitor as a Reset Source");

}  // namespace field

// The fields of entry `entry` of block `block`, in bit order from the top,
// the port registers' pin fields ("Skip P0.3") included.
std::vector<RegisterField> FieldsOf(std::int32_t block, int entry);

// The value of `field` in a register value: its bits shifted down.
unsigned FieldValue(const RegisterField& field, std::uint8_t value);

}  // namespace regsmith
