// The "Interrupts" sheet through regsmith-cli script, end to end: the built
// program reads a script; its output, errors and exit status are compared
// exactly.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cli_runner.h"
#include "tests/support/generated_text.h"

namespace {

using regsmith::testing::AsmTail;
using regsmith::testing::CliResult;
using regsmith::testing::CTail;
using regsmith::testing::kAsmHead;
using regsmith::testing::kCHead;
using regsmith::testing::ScriptInput;

class InterruptsScript : public regsmith::testing::CliTest {
protected:
    // Runs the script on standard input, as `printf ... | regsmith-cli script` does.
    CliResult Run(const std::string& script) { return RunScript(script, ScriptInput::kStdin); }
};

// Edits on all three pages, a Reset answered No, one OK, assembly output.
TEST_F(InterruptsScript, ThreePagesOneBlockInAssembly) {
    const CliResult result = Run(
        "new QK750\n"
        "menu Interrupts\n"
        "page \"INT0/INT1 Configuration\"\n"
        "show\n"
        "click \"/INT1 Active High\"\n"
        "select \"/INT0 Port Pin Selection\" P0.7\n"
        "select \"/INT1 Port Pin Selection\" P0.3\n"
        "summary\n"
        "page \"Interrupt Priority\"\n"
        "click \"Set LIN Priority High\"\n"
        "summary\n"
        "reset\n"
        "answer no\n"
        "summary\n"
        "ok\n"
        "format asm\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    const std::string routine =
        "Interrupts_Init:\r\n"
        "    mov  EIP1,      #020h\r\n"
        "    mov  IT01CF,    #0B7h\r\n"
        "    ret\r\n";
    EXPECT_EQ(result.out,
              "page \"INT0/INT1 Configuration\"\n"
              "group \"/INT0 Polarity\"\n"
              "radio (*) \"/INT0 Active Low\"\n"
              "radio ( ) \"/INT0 Active High\"\n"
              "group \"/INT0 Port Pin Selection\"\n"
              "list \"/INT0 Port Pin Selection\" = \"P0.1\"\n"
              "button \"/INT0 Port Pin Selection/Configure Port I/O\"\n"
              "group \"/INT1 Polarity\"\n"
              "radio (*) \"/INT1 Active Low\"\n"
              "radio ( ) \"/INT1 Active High\"\n"
              "group \"/INT1 Port Pin Selection\"\n"
              "list \"/INT1 Port Pin Selection\" = \"P0.0\"\n"
              "button \"/INT1 Port Pin Selection/Configure Port I/O\"\n"
              "textbox \"Register Summary\"\n"
              "    IT01CF    = 0xB7;\n"
              "    EIP1      = 0x20;\n"
              "    IT01CF    = 0xB7;\n"
              "message: Reset all registers to default for this peripheral?\n"
              "    EIP1      = 0x20;\n"
              "    IT01CF    = 0xB7;\n" +
                  kAsmHead + routine + AsmTail({"Interrupts_Init"}));
}

TEST_F(InterruptsScript, ResetYesOnTheEnablePageClearsEveryPage) {
    const CliResult result = Run(
        "new QK740\n"
        "menu Interrupts\n"
        "page \"INT0/INT1 Configuration\"\n"
        "click \"/INT0 Active High\"\n"
        "page \"Interrupt Priority\"\n"
        "click \"Set Timer 2 Priority High\"\n"
        "page \"Enable Interrupts\"\n"
        "click \"Enable Timer 2 Interrupt\"\n"
        "summary\n"
        "reset\n"
        "answer yes\n"
        "summary\n"
        "show \"Enable Timer 2 Interrupt\"\n"
        "page \"INT0/INT1 Configuration\"\n"
        "show \"/INT0 Active High\"\n"
        "ok\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    const std::string expectedStart =
        "    IP        = 0x20;\n"
        "    IT01CF    = 0x09;\n"
        "    IE        = 0x20;\n"
        "message: Reset all registers to default for this peripheral?\n"
        "check [ ] \"Enable Timer 2 Interrupt\"\n"
        "radio ( ) \"/INT0 Active High\"\n"
        "/////////////////////////////////////\r\n";
    EXPECT_EQ(result.out.substr(0, expectedStart.size()), expectedStart);
    EXPECT_NE(result.out.find("// Empty configuration\r\n"), std::string::npos);
}

// A model without LIN does not list the LIN controls; one with LIN does.
TEST_F(InterruptsScript, LinControlsOnlyOnModelsWithLin) {
    const CliResult odd = Run(
        "new QK741\n"
        "menu Interrupts\n"
        "show\n"
        "page \"Interrupt Priority\"\n"
        "show \"Set LIN Priority High\"\n"
        "cancel\n");
    EXPECT_EQ(odd.err, "");
    EXPECT_EQ(odd.status, 0);
    EXPECT_EQ(odd.out,
              "page \"Enable Interrupts\"\n"
              "group \"Global Interrupt Enable\"\n"
              "check [ ] \"Enable All Interrupts   (If not checked, all interrupts are ignored)\"\n"
              "group \"UART Interrupts\"\n"
              "check [ ] \"Enable UART0 Interrupt\"\n"
              "group \"Comparator Interrupts\"\n"
              "check [ ] \"Enable CP0 Rising Interrupt\"\n"
              "check [ ] \"Enable CP0 Falling Interrupt\"\n"
              "group \"SPI Interrupts\"\n"
              "check [ ] \"Enable SPI0 Interrupt\"\n"
              "group \"ADC Conversion Complete Interrupts\"\n"
              "check [ ] \"Enable AD0INT Interrupt\"\n"
              "group \"Port Match Interrupts\"\n"
              "check [ ] \"Enable Port Match Interrupt\"\n"
              "group \"Timer Interrupts\"\n"
              "check [ ] \"Enable Timer 0 Interrupt\"\n"
              "check [ ] \"Enable Timer 1 Interrupt\"\n"
              "check [ ] \"Enable Timer 2 Interrupt\"\n"
              "check [ ] \"Enable /INT0 Interrupt\"\n"
              "check [ ] \"Enable /INT1 Interrupt\"\n"
              "group \"PCA Interrupts\"\n"
              "check [ ] \"Enable PCA0 Interrupt\"\n"
              "group \"Window Comparison ADC Interrupts\"\n"
              "check [ ] \"Enable AD0WINT Interrupt\"\n"
              "group \"Voltage Regulator Interrupts\"\n"
              "check [ ] \"Enable Voltage Regulator Interrupt\"\n"
              "textbox \"Register Summary\"\n"
              "check [ ] \"Set LIN Priority High\" disabled hidden\n");

    const CliResult even = Run(
        "new QK756\n"
        "menu Interrupts\n"
        "click \"Enable LIN Interrupt\"\n"
        "page \"Interrupt Priority\"\n"
        "show\n"
        "ok\n");
    EXPECT_EQ(even.err, "");
    EXPECT_EQ(even.status, 0);
    EXPECT_EQ(even.out,
              "page \"Interrupt Priority\"\n"
              "group \"UART Interrupt Priority\"\n"
              "check [ ] \"Set UART0 Priority High\"\n"
              "group \"Comparator Interrupt Priorities\"\n"
              "check [ ] \"Set CP0 Rising Priority High\"\n"
              "check [ ] \"Set CP0 Falling Priority High\"\n"
              "group \"SPI Interrupt Priority\"\n"
              "check [ ] \"Set SPI0 Priority High\"\n"
              "group \"ADC Interrupt Priority\"\n"
              "check [ ] \"Set AD0INT Priority High\"\n"
              "group \"Port Match Interrupt Priority\"\n"
              "check [ ] \"Set Port Match Priority High\"\n"
              "group \"LIN Interrupt Priority\"\n"
              "check [ ] \"Set LIN Priority High\"\n"
              "group \"Timer Interrupt Priorities\"\n"
              "check [ ] \"Set Timer 0 Priority High\"\n"
              "check [ ] \"Set Timer 1 Priority High\"\n"
              "check [ ] \"Set Timer 2 Priority High\"\n"
              "check [ ] \"Set /INT0 Priority High\"\n"
              "check [ ] \"Set /INT1 Priority High\"\n"
              "group \"PCA Interrupt Priorities\"\n"
              "check [ ] \"Set PCA0 Priority High\"\n"
              "group \"Window Comparison Interrupt Priority\"\n"
              "check [ ] \"Set AD0WINT Priority High\"\n"
              "group \"Voltage Regulator Interrupt Priority\"\n"
              "check [ ] \"Set Voltage Regulator Priority High\"\n"
              "textbox \"Register Summary\"\n"
              "  |     EIE1      = 0x20;\n");
}

TEST_F(InterruptsScript, SmallPackageHasNoP06) {
    const CliResult small = Run(
        "new QK747\n"
        "menu Interrupts\n"
        "page \"INT0/INT1 Configuration\"\n"
        "select \"/INT0 Port Pin Selection\" P0.5\n"
        "select \"/INT1 Port Pin Selection\" P0.6\n");
    EXPECT_EQ(small.status, 1);
    EXPECT_EQ(small.out, "");
    EXPECT_EQ(small.err, "line 5: the list \"/INT1 Port Pin Selection\" has no item \"P0.6\"\n");
}

// "Configure Port I/O" opens the crossbar page alone; its OK reaches the
// document although the Interrupts sheet is then cancelled, and the
// interrupts edits go with the Cancel.
TEST_F(InterruptsScript, ConfigurePortIOWritesPortIOAtOnce) {
    const CliResult result = Run(
        "new QK743\n"
        "menu Interrupts\n"
        "page \"INT0/INT1 Configuration\"\n"
        "click \"/INT0 Active High\"\n"
        "click \"/INT0 Port Pin Selection/Configure Port I/O\"\n"
        "click Timer0\n"
        "ok\n"
        "answer yes\n"
        "summary\n"
        "cancel\n"
        "generate\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    const std::string routine =
        "void Port_IO_Init()\r\n"
        "{\r\n"
        "    // P0.0  -  T0   (Tmr0), Open-Drain, Digital\r\n"
        "    // P0.1  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P0.2  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P0.3  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P0.4  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P0.5  -  Unassigned,  Open-Drain, Digital\r\n"
        "\r\n"
        "    XBR1      = 0x50;\r\n"
        "}\r\n";
    EXPECT_EQ(result.out,
              "message: You have enabled peripherals on the crossbar or set\\n a pin to push-pull but have not "
              "enabled the crossbar,\\n would you like to do so now?\n"
              "    IT01CF    = 0x09;\n" +
                  kCHead + routine + CTail({"Port_IO_Init"}));
}

}  // namespace
