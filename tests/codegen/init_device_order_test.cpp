#include <gtest/gtest.h>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"

namespace regsmith {
namespace {

// Every block has one register away from its reset value (entered in the
// map's reverse order, which must not matter).
CK74x_75xDoc EverythingEmitted() {
    CK74x_75xDoc document(0xD6);
    EXPECT_TRUE(document.OnNewDocument());
    for (auto block = document.deviceData.blockMap.rbegin(); block != document.deviceData.blockMap.rend(); ++block)
        block->second.registers.back().value ^= 0x01;
    return document;
}

TEST(InitDeviceOrder, EveryRoutineIsCalledInBlockNumberOrderInBothFormats) {
    CK74x_75xDoc document = EverythingEmitted();
    const char* const routines[] = {
        "Reset_Sources_Init", "PCA_Init",        "Timer_Init",
        "UART_Init",          "SPI_Init",        "ADC_Init",
        "Comparator_Init",    "Comparator_Reset_Source_Init",
        "Voltage_Reference_Init", "Voltage_Regulator_Init", "Port_IO_Init",
        "Oscillator_Init",    "Interrupts_Init",
    };
    std::string cCalls = "void Init_Device(void)\r\n{\r\n";
    std::string asmCalls = "Init_Device:\r\n";
    for (const char* routine : routines) {
        cCalls += std::string("    ") + routine + "();\r\n";
        asmCalls += std::string("    lcall ") + routine + "\r\n";
    }
    cCalls += "}\r\n";
    asmCalls += "    ret\r\n\r\nend\r\n";

    const std::string c = GenerateCode(document);
    ASSERT_GE(c.size(), cCalls.size());
    EXPECT_EQ(c.substr(c.size() - cCalls.size()), cCalls);
    // The routines themselves appear in the same order as their calls.
    std::size_t at = 0;
    for (const char* routine : routines) {
        const std::size_t next = c.find(std::string("void ") + routine + "()\r\n{\r\n", at);
        ASSERT_NE(next, std::string::npos) << routine;
        at = next;
    }

    document.deviceData.codeFormat = kCodeFormatAsm;
    const std::string assembly = GenerateCode(document);
    ASSERT_GE(assembly.size(), asmCalls.size());
    EXPECT_EQ(assembly.substr(assembly.size() - asmCalls.size()), asmCalls);
    // The last routine, with the last register of its block.
    EXPECT_NE(assembly.find("Interrupts_Init:\r\n    mov  IE,        #001h\r\n    ret\r\n\r\n"
                            "; Initialization function for device,\r\n"),
              std::string::npos);
}

TEST(InitDeviceOrder, AlignmentAtTheTenCharacterBoundaryAndForcedOrLines) {
    CK74x_75xDoc document(0xD0);
    ASSERT_TRUE(document.OnNewDocument());
    auto& timers = document.deviceData.blockMap[kBlockTimers].registers;
    timers[0].name = "NINE_CHAR";    // 9: one blank
    timers[0].value = 0x01;
    timers[1].name = "TEN_CHARSX";   // 10: none
    timers[1].value = 0x02;
    timers[2].forceEmit = 1;         // CKCON at its reset value, forced, OR form
    timers[2].orMode = 1;
    EXPECT_NE(GenerateCode(document).find("void Timer_Init()\r\n{\r\n"
                                           "    NINE_CHAR = 0x01;\r\n"
                                           "    TEN_CHARSX= 0x02;\r\n"
                                           "    CKCON     |= 0x00;\r\n"
                                           "}\r\n\r\n"),
              std::string::npos);
    document.deviceData.codeFormat = kCodeFormatAsm;
    EXPECT_NE(GenerateCode(document).find("Timer_Init:\r\n"
                                           "    mov  NINE_CHAR, #001h\r\n"
                                           "    mov  TEN_CHARSX,#002h\r\n"
                                           "    orl  CKCON,     #000h\r\n"
                                           "    ret\r\n\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace regsmith
