#include <gtest/gtest.h>

#include "codegen/generator.h"
#include "model/k74x_75x_doc.h"

namespace regsmith {
namespace {

CK74x_75xDoc NewDocument(std::uint8_t id = 0xD0) {
    CK74x_75xDoc document(id);
    EXPECT_TRUE(document.OnNewDocument());
    return document;
}

const char* const kEmptyC =
    "/////////////////////////////////////\r\n"
    "//  Generated Initialization File  //\r\n"
    "/////////////////////////////////////\r\n"
    "\r\n"
    "#include \"QK740.h\"\r\n"
    "\r\n"
    "// Initialization function for device,\r\n"
    "// Call Init_Device() from your main program\r\n"
    "void Init_Device(void)\r\n"
    "{\r\n"
    "}\r\n"
    "\r\n"
    "// Empty configuration\r\n"
    "\r\n"
    "// Open the \"Peripherals\" menu and\r\n"
    "// choose a peripheral to configure.\r\n";

const char* const kEmptyAsm =
    ";------------------------------------\r\n"
    ";-  Generated Initialization File  --\r\n"
    ";------------------------------------\r\n"
    "\r\n"
    "$include (QK740.inc)\r\n"
    "\r\n"
    "public  Init_Device\r\n"
    "\r\n"
    "INIT SEGMENT CODE\r\n"
    "    rseg INIT\r\n"
    "\r\n"
    "; Initialization function for device,\r\n"
    "; Call Init_Device from your main program\r\n"
    "Init_Device:\r\n"
    "    ret\r\n"
    "\r\n"
    "end\r\n"
    "\r\n"
    "; Empty configuration\r\n"
    "\r\n"
    "; Open the \"Peripherals\" menu and\r\n"
    "; choose a peripheral to configure.\r\n";

TEST(Generator, NewDocumentGivesTheEmptyConfigurationInBothFormats) {
    for (std::uint8_t id = 0xD0; id <= 0xDB; ++id) {
        CK74x_75xDoc document = NewDocument(id);
        EXPECT_EQ(GenerateCode(document), kEmptyC);
        document.deviceData.codeFormat = kCodeFormatAsm;
        EXPECT_EQ(GenerateCode(document), kEmptyAsm);
    }
}

TEST(Generator, EmptyMapGivesTheEmptyConfiguration) {
    CDeviceData data;
    data.deviceName = "QK740";
    EXPECT_EQ(GenerateCode(data), kEmptyC);
}

TEST(Generator, NineteenLineUartExample) {
    CK74x_75xDoc document = NewDocument();
    document.deviceData.blockMap[kBlockUart].registers[0].value = 0x10;
    EXPECT_EQ(GenerateCode(document),
              "/////////////////////////////////////\r\n"
              "//  Generated Initialization File  //\r\n"
              "/////////////////////////////////////\r\n"
              "\r\n"
              "#include \"QK740.h\"\r\n"
              "\r\n"
              "// Peripheral specific initialization functions,\r\n"
              "// Called from the Init_Device() function\r\n"
              "void UART_Init()\r\n"
              "{\r\n"
              "    SCON0     = 0x10;\r\n"
              "}\r\n"
              "\r\n"
              "// Initialization function for device,\r\n"
              "// Call Init_Device() from your main program\r\n"
              "void Init_Device(void)\r\n"
              "{\r\n"
              "    UART_Init();\r\n"
              "}\r\n");
    document.deviceData.codeFormat = kCodeFormatAsm;
    EXPECT_EQ(GenerateCode(document),
              ";------------------------------------\r\n"
              ";-  Generated Initialization File  --\r\n"
              ";------------------------------------\r\n"
              "\r\n"
              "$include (QK740.inc)\r\n"
              "\r\n"
              "public  Init_Device\r\n"
              "\r\n"
              "INIT SEGMENT CODE\r\n"
              "    rseg INIT\r\n"
              "\r\n"
              "; Peripheral specific initialization functions,\r\n"
              "; Called from the Init_Device label\r\n"
              "UART_Init:\r\n"
              "    mov  SCON0,     #010h\r\n"
              "    ret\r\n"
              "\r\n"
              "; Initialization function for device,\r\n"
              "; Call Init_Device from your main program\r\n"
              "Init_Device:\r\n"
              "    lcall UART_Init\r\n"
              "    ret\r\n"
              "\r\n"
              "end\r\n");
}

TEST(Generator, FragmentsTravelWithTheirRegisterAndRoutinesFollowBlockOrder) {
    CK74x_75xDoc document = NewDocument();
    auto& pca = document.deviceData.blockMap[kBlockPca];
    pca.registers[1].value = 0x08;    // PCA0MD: watchdog clear before it
    pca.registers[9].forceEmit = 1;   // PCA0CPL2 at reset value, forced: watchdog set after it
    document.deviceData.blockMap[kBlockInterrupts].registers[4].value = 0x81;  // IE
    document.deviceData.blockMap[kBlockResetSources].registers[1].value = 0x02;  // RSTSRC
    document.deviceData.blockMap[kBlockPortIO].cPrologue = "    // P0.0  -  Unassigned\r\n\r\n";
    document.deviceData.blockMap[kBlockPortIO].registers[7].value = 0x40;  // XBR1
    document.deviceData.blockMap[kBlockPortIO].registers[7].orMode = 1;
    const std::string text = GenerateCode(document);
    EXPECT_NE(text.find("void PCA_Init()\r\n{\r\n"
                        "    PCA0MD    &= ~0x40;\r\n"
                        "    PCA0MD    = 0x08;\r\n"
                        "    PCA0CPL2  = 0x00;\r\n"
                        "    PCA0MD    |= 0x40;\r\n"
                        "}\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("void Port_IO_Init()\r\n{\r\n"
                        "    // P0.0  -  Unassigned\r\n\r\n"
                        "    XBR1      |= 0x40;\r\n"
                        "}\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("{\r\n    Reset_Sources_Init();\r\n    PCA_Init();\r\n    Port_IO_Init();\r\n"
                        "    Interrupts_Init();\r\n}\r\n"),
              std::string::npos);
    document.deviceData.codeFormat = kCodeFormatAsm;
    const std::string assembly = GenerateCode(document);
    EXPECT_NE(assembly.find("PCA_Init:\r\n"
                            "    anl  PCA0MD,    #0BFh\r\n"
                            "    mov  PCA0MD,    #008h\r\n"
                            "    mov  PCA0CPL2,  #000h\r\n"
                            "    orl  PCA0MD,    #040h\r\n"
                            "    ret\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(assembly.find("    orl  XBR1,      #040h\r\n"), std::string::npos);
    EXPECT_NE(assembly.find("Init_Device:\r\n    lcall Reset_Sources_Init\r\n    lcall PCA_Init\r\n"
                            "    lcall Port_IO_Init\r\n    lcall Interrupts_Init\r\n    ret\r\n\r\nend\r\n"),
              std::string::npos);
}

TEST(Generator, LongNamesGetNoAlignmentAndResetValueRemovesTheRoutine) {
    CK74x_75xDoc document = NewDocument();
    auto& uart = document.deviceData.blockMap[kBlockUart];
    uart.registers[0].name = "VERYLONGNAME";
    uart.registers[0].value = 0xAB;
    EXPECT_NE(GenerateCode(document).find("    VERYLONGNAME= 0xAB;\r\n"), std::string::npos);
    document.deviceData.codeFormat = kCodeFormatAsm;
    EXPECT_NE(GenerateCode(document).find("    mov  VERYLONGNAME,#0ABh\r\n"), std::string::npos);
    uart.registers[0].value = uart.registers[0].resetValue;
    EXPECT_EQ(GenerateCode(document), kEmptyAsm);
}

TEST(Generator, DamagedHeadTextsDoNotCrash) {
    CDeviceData data;
    data.deviceName = "x";
    PeripheralBlock block;
    block.cHeader = "ab";
    block.asmHeader = "";
    RegisterEntry entry;
    entry.name = "R";
    entry.value = 1;
    block.registers.push_back(entry);
    data.blockMap[3] = block;
    EXPECT_NE(GenerateCode(data).find("    ;\r\n"), std::string::npos);
    data.codeFormat = 1;
    EXPECT_NE(GenerateCode(data).find("    lcall \r\n"), std::string::npos);
}

TEST(Defaults, ThirteenBlocksWithIndexesAndNumbers) {
    CK74x_75xDoc document = NewDocument();
    std::vector<int> numbers;
    for (const auto& [number, block] : document.deviceData.blockMap) {
        numbers.push_back(number);
        EXPECT_EQ(block.blockNumber, number);
        for (std::size_t i = 0; i < block.registers.size(); ++i) EXPECT_EQ(block.registers[i].index, int(i));
    }
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(document.deviceData.blockMap[kBlockComparatorReset].registers[1].name, "RSTSRC");
    EXPECT_EQ(document.deviceData.blockMap[kBlockComparatorReset].cHeader,
              "void Comparator_Reset_Source_Init()\r\n{");
    EXPECT_EQ(document.deviceData.blockMap[kBlockInterrupts].registers.back().name, "IE");
    EXPECT_EQ(document.clocks, kDefaultClockSettings);
    EXPECT_EQ(document.deviceData.deviceName, "QK740");
}

TEST(Defaults, ResetAllKeepsTheCodeFormatAndRebuildsTheMap) {
    CK74x_75xDoc fresh = NewDocument(0xD6);
    CK74x_75xDoc document = NewDocument(0xD6);
    document.deviceData.codeFormat = kCodeFormatAsm;
    document.deviceData.blockMap[kBlockTimers].registers[1].value = 0x22;
    document.clocks.sysclk = 12;
    PeripheralBlock block4;
    document.GetBlock(block4, 4);
    document.InitializePeripherals();
    EXPECT_EQ(document.deviceData.blockMap, fresh.deviceData.blockMap);
    EXPECT_EQ(document.deviceData.codeFormat, kCodeFormatAsm);
    EXPECT_EQ(document.clocks, kDefaultClockSettings);
}

TEST(Blocks, GetAndSetCopyWholeBlocks) {
    CK74x_75xDoc document = NewDocument();
    const std::string before = GenerateCode(document);
    PeripheralBlock copy;
    document.GetBlock(copy, 4);
    EXPECT_TRUE(copy.registers.empty());
    EXPECT_EQ(document.deviceData.blockMap.count(4), 1u);
    EXPECT_EQ(GenerateCode(document), before);
    document.GetBlock(copy, kBlockTimers);
    copy.registers[1].value = 0x20;
    EXPECT_EQ(GenerateCode(document), before);  // a copy, not a reference
    document.SetBlock(copy, kBlockTimers);
    EXPECT_NE(GenerateCode(document).find("    TMOD      = 0x20;\r\n"), std::string::npos);
}

}  // namespace
}  // namespace regsmith
