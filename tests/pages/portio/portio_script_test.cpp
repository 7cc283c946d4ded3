// Routing peripherals through the crossbar with regsmith-cli script, end to
// end on both packages: the built program, its output and the generated
// Port_IO_Init.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cli_runner.h"
#include "tests/support/generated_text.h"

namespace {

using regsmith::testing::CliResult;
using regsmith::testing::Routine;

class PortIOScript : public regsmith::testing::CliTest {
protected:
    // The assignment lines that `show` prints on the crossbar page, from
    // "TX: " to the "T1: " line.
    static std::string Assignment(const std::string& out) {
        const std::size_t start = out.find("TX: ");
        const std::size_t t1 = out.find("T1: ", start == std::string::npos ? 0 : start);
        if (start == std::string::npos || t1 == std::string::npos) return {};
        return out.substr(start, out.find('\n', t1) + 1 - start);
    }
};

constexpr const char* kQuestion =
    "message: You have enabled peripherals on the crossbar or set\\n a pin to push-pull but have not enabled the "
    "crossbar,\\n would you like to do so now?\n";

TEST_F(PortIOScript, SmallPackageUartAndSpiFillEveryPinAndGreyTheRest) {
    const CliResult result = RunScript(
        "new QK740\n"
        "menu \"Port I/O\"\n"
        "click UART0\n"
        "click SPI0\n"
        "show\n"
        "show Timer0\n"
        "show \"Skip P0.3\"\n"
        "ok\n"
        "answer yes\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Assignment(result.out),
              "TX: P0.4\nRX: P0.5\nSCK: P0.0\nMISO: P0.1\nMOSI: P0.2\nNSS: P0.3\nLIN-TX: none\nLIN-RX: none\n"
              "CP0: none\nCP0A: none\nSYSCLK: none\nCEX0: none\nCEX1: none\nCEX2: none\nECI: none\nT0: none\n"
              "T1: none\n");
    EXPECT_NE(result.out.find("T1: none\ncheck [ ] \"Timer0\" disabled\ncheck [ ] \"Skip P0.3\" disabled\n"),
              std::string::npos);
    EXPECT_NE(result.out.find(kQuestion), std::string::npos);
    EXPECT_EQ(Routine(result.out, "Port_IO_Init", false),
              "void Port_IO_Init()\r\n"
              "{\r\n"
              "    // P0.0  -  SCK  (SPI0), Open-Drain, Digital\r\n"
              "    // P0.1  -  MISO (SPI0), Open-Drain, Digital\r\n"
              "    // P0.2  -  MOSI (SPI0), Open-Drain, Digital\r\n"
              "    // P0.3  -  NSS  (SPI0), Open-Drain, Digital\r\n"
              "    // P0.4  -  TX   (UART), Open-Drain, Digital\r\n"
              "    // P0.5  -  RX   (UART), Open-Drain, Digital\r\n"
              "\r\n"
              "    P0SKIP    |= 0x30;\r\n"
              "    XBR0      = 0x03;\r\n"
              "    XBR1      = 0x40;\r\n"
              "}\r\n");
}

TEST_F(PortIOScript, SmallPackageComparatorSysclkAndThreeCexThenAGreyedBoxStopsTheScript) {
    const CliResult result = RunScript(
        "new QK747\n"
        "menu \"Port I/O\"\n"
        "click CP0\n"
        "click CP0A\n"
        "click SYSCLK\n"
        "click CEX2\n"
        "show PCA\n"
        "show CEX1\n"
        "show\n"
        "click Timer0\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("line 10: ", 0), 0u) << result.err;
    EXPECT_NE(result.out.find("check [x] \"PCA\"\ncheck [x] \"CEX1\"\n"), std::string::npos);
    EXPECT_EQ(Assignment(result.out),
              "TX: none\nRX: none\nSCK: none\nMISO: none\nMOSI: none\nNSS: none\nLIN-TX: none\nLIN-RX: none\n"
              "CP0: P0.0\nCP0A: P0.1\nSYSCLK: P0.2\nCEX0: P0.3\nCEX1: P0.4\nCEX2: P0.5\nECI: none\nT0: none\n"
              "T1: none\n");
}

TEST_F(PortIOScript, SmallPackageSkipPushesEciAndTimersUpInAssembly) {
    const CliResult result = RunScript(
        "new QK743\n"
        "format asm\n"
        "menu \"Port I/O\"\n"
        "click \"Skip P0.0\"\n"
        "click ECI\n"
        "click Timer0\n"
        "click Timer1\n"
        "click \"Output P0.2\"\n"
        "click \"Input P0.5\"\n"
        "click \"Enable Crossbar\"\n"
        "ok\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.find("message:"), std::string::npos);  // the crossbar is on: no question
    EXPECT_EQ(Routine(result.out, "Port_IO_Init", true),
              "Port_IO_Init:\r\n"
              "    ; P0.0  -  Skipped,     Open-Drain, Digital\r\n"
              "    ; P0.1  -  ECI,         Open-Drain, Digital\r\n"
              "    ; P0.2  -  T0   (Tmr0), Push-Pull,  Digital\r\n"
              "    ; P0.3  -  T1   (Tmr1), Open-Drain, Digital\r\n"
              "    ; P0.4  -  Unassigned,  Open-Drain, Digital\r\n"
              "    ; P0.5  -  Unassigned,  Open-Drain, Analog\r\n"
              "\r\n"
              "    mov  P0MDIN,    #0DFh\r\n"
              "    mov  P0MDOUT,   #004h\r\n"
              "    mov  P0SKIP,    #001h\r\n"
              "    mov  XBR1,      #078h\r\n"
              "    ret\r\n");
}

TEST_F(PortIOScript, LargePackageRoutesEverythingAndPortMatch) {
    const CliResult result = RunScript(
        "new QK750\n"
        "menu \"Port I/O\"\n"
        "click UART0\n"
        "click SPI0\n"
        "click CP0\n"
        "click CP0A\n"
        "click SYSCLK\n"
        "click CEX2\n"
        "click ECI\n"
        "click Timer0\n"
        "click Timer1\n"
        "show\n"
        "page \"Port Match\"\n"
        "click \"Match P1.0\"\n"
        "show \"Match P1.0\"\n"
        "ok\n"
        "answer yes\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Assignment(result.out),
              "TX: P0.4\nRX: P0.5\nSCK: P0.0\nMISO: P0.1\nMOSI: P0.2\nNSS: P0.3\nLIN-TX: none\nLIN-RX: none\n"
              "CP0: P0.6\nCP0A: P0.7\nSYSCLK: P1.0\nCEX0: P1.1\nCEX1: P1.2\nCEX2: P1.3\nECI: P1.4\nT0: P1.5\n"
              "T1: P1.6\n");
    EXPECT_NE(result.out.find("three-state [0] \"Match P1.0\"\n"), std::string::npos);
    EXPECT_EQ(Routine(result.out, "Port_IO_Init", false),
              "void Port_IO_Init()\r\n"
              "{\r\n"
              "    // P0.0  -  SCK  (SPI0), Open-Drain, Digital\r\n"
              "    // P0.1  -  MISO (SPI0), Open-Drain, Digital\r\n"
              "    // P0.2  -  MOSI (SPI0), Open-Drain, Digital\r\n"
              "    // P0.3  -  NSS  (SPI0), Open-Drain, Digital\r\n"
              "    // P0.4  -  TX   (UART), Open-Drain, Digital\r\n"
              "    // P0.5  -  RX   (UART), Open-Drain, Digital\r\n"
              "    // P0.6  -  CP0  (Cmp0), Open-Drain, Digital\r\n"
              "    // P0.7  -  CP0A (Cmp0), Open-Drain, Digital\r\n"
              "\r\n"
              "    // P1.0  -  SYSCLK,      Open-Drain, Digital\r\n"
              "    // P1.1  -  CEX0  (PCA), Open-Drain, Digital\r\n"
              "    // P1.2  -  CEX1  (PCA), Open-Drain, Digital\r\n"
              "    // P1.3  -  CEX2  (PCA), Open-Drain, Digital\r\n"
              "    // P1.4  -  ECI,         Open-Drain, Digital\r\n"
              "    // P1.5  -  T0   (Tmr0), Open-Drain, Digital\r\n"
              "    // P1.6  -  T1   (Tmr1), Open-Drain, Digital\r\n"
              "    // P1.7  -  Unassigned,  Open-Drain, Digital\r\n"
              "\r\n"
              "    P0SKIP    |= 0x30;\r\n"
              "    XBR0      = 0x3B;\r\n"
              "    XBR1      = 0x7B;\r\n"
              "    P1MAT     = 0xFE;\r\n"
              "    P1MASK    = 0x01;\r\n"
              "}\r\n");
}

TEST_F(PortIOScript, LargePackageSpiBehindSkipsThroughConfigurePortIOOfTheInterruptsSheet) {
    const CliResult result = RunScript(
        "new QK756\n"
        "menu Interrupts\n"
        "page \"INT0/INT1 Configuration\"\n"
        "click \"/INT0 Port Pin Selection/Configure Port I/O\"\n"
        "click \"Skip P0.0\"\n"
        "click \"Skip P0.1\"\n"
        "click SPI0\n"
        "show\n"
        "ok\n"
        "answer no\n"
        "cancel\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    // The document's SPI0CN is four-wire by default, so NSS takes P0.5.
    EXPECT_EQ(Assignment(result.out).substr(0, 60),
              "TX: none\nRX: none\nSCK: P0.2\nMISO: P0.3\nMOSI: P0.4\nNSS: P0.5\n");
    // Accepted in the nested sheet, kept although the Interrupts sheet was cancelled.
    EXPECT_NE(Routine(result.out, "Port_IO_Init", false)
                  .find("    P0SKIP    = 0x03;\r\n    XBR0      = 0x02;\r\n}\r\n"),
              std::string::npos);
    EXPECT_EQ(result.out.find("Interrupts_Init"), std::string::npos);
}

}  // namespace
