// Files of the four earlier generations of the project format, built byte by
// byte from their layouts, and what the reader converts them to.

#include <gtest/gtest.h>

#include "codegen/generator.h"
#include "fw/archive.h"
#include "model/k74x_75x_doc.h"
#include "model/project_file.h"
#include "tests/model/file_bytes.h"
#include "tests/model/project_bytes.h"

namespace regsmith {
namespace {

using testing::FileBytes;
using testing::ProjectBytes;
using testing::ReadProject;

const std::string kWait100us = "    for (i = 0; i < 350; i++);  // Wait 100us for initialization\r\n";
const std::string kOscillatorPoll = "\r\n    while ((OSCXCN & 0x80) == 0);\r\n";
const std::string kWait1ms = "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization" + kOscillatorPoll;

// --- Generation A (version 2 or less): no assembly texts, old numbering A ----

struct EntryA {
    std::string name, cBefore, cAfter;
    std::uint8_t value, reset;
};

void BlockA(FileBytes& file, std::int32_t oldNumber, const std::string& routine, const std::string& prologue,
            const std::vector<EntryA>& entries) {
    file.Int32(oldNumber).CountedText("void " + routine + "()\r\n{").CountedPrologueAB(prologue);
    file.Int32(static_cast<std::int32_t>(entries.size()));
    std::int32_t index = 0;
    for (const EntryA& e : entries) {
        file.Int32(index++).CountedText(e.name).CountedText(e.cBefore).CountedText(e.cAfter);
        file.Byte(e.value).Byte(e.reset).Int32(0).Int32(0);
    }
    file.CountedText("}");
}

std::string GenerationAFile(std::int32_t version) {
    FileBytes file;
    file.Head(0xD4, 1, version, 3062500, 24500000, 0, 22118400, 0);
    file.Int32(7).Raw("QK740\r\n");  // the reader drops the last two characters
    file.Int32(6);
    BlockA(file, 3, "Reset_Sources_Init", "", {{"VDM0CN", "", kWait100us, 0x80, 0x00}, {"RSTSRC", "", "", 0x02, 0}});
    BlockA(file, 1, "PCA_Init", "",
           {{"PCA0MD", "    PCA0MD      &= ~0x04;\r\n", "", 0x00, 0x40},
            {"PCA0CPL2", "", "    PCA0MD      |= 0x04;\r\n", 0x20, 0x00}});
    BlockA(file, 4, "UART_Init", "", {{"SCON0", "", "", 0x10, 0x00}});
    BlockA(file, 0, "Port_IO_Init", std::string(600, 'x'), {{"XBR1", "", "", 0x40, 0x00}});
    BlockA(file, 12, "Oscillator_Init", "", {{"OSCXCN", "", kWait1ms, 0x67, 0x00}});
    BlockA(file, 13, "Interrupts_Init", "", {{"IE", "", "", 0x80, 0x00}});
    return file.str();
}

TEST(LegacyFile, GenerationAConvertsNumbersAndBuildsAssemblyTexts) {
    ASSERT_EQ(kOscillatorPoll.size(), 37u);
    for (std::int32_t version : {2, 1, 0, -1}) {
        CK74x_75xDoc document = ReadProject(GenerationAFile(version));
        const CDeviceData& data = document.deviceData;
        EXPECT_EQ(document.deviceId, 0xD4);
        EXPECT_EQ(document.clocks, (ClockSettings{3062500, 24500000, 0, 22118400, 0}));
        EXPECT_EQ(data.deviceName, "QK740");
        EXPECT_EQ(data.codeFormat, kCodeFormatC);
        std::vector<std::int32_t> numbers;
        for (const auto& [number, block] : data.blockMap) {
            numbers.push_back(number);
            EXPECT_EQ(block.blockNumber, number);
            EXPECT_EQ(block.asmFooter, "    ret");
            EXPECT_EQ(block.asmPrologue, "");
        }
        // Old numbering A: 3 -> 0, 1 -> 1, 4 -> 3, 0 -> 11, 12 -> 12, 13 unchanged.
        EXPECT_EQ(numbers, (std::vector<std::int32_t>{0, 1, 3, 11, 12, 13}));
        EXPECT_EQ(data.blockMap.at(0).asmHeader, "Reset_Sources_Init:\r\n");
        EXPECT_EQ(data.blockMap.at(11).asmHeader, "Port_IO_Init:\r\n");
        EXPECT_EQ(data.blockMap.at(11).cPrologue, std::string(600, 'x'));

        const RegisterEntry& vdm = data.blockMap.at(0).registers.at(0);
        EXPECT_EQ(vdm.cAfter, kWait100us);
        EXPECT_EQ(vdm.asmBefore, "");
        EXPECT_EQ(vdm.asmAfter,
                  "    clr  A                     ; Wait 100us for initialization\r\n"
                  "    djnz ACC,       $\r\n");
        EXPECT_EQ(data.blockMap.at(0).registers.at(1).asmAfter, "");

        const RegisterEntry& oscillator = data.blockMap.at(12).registers.at(0);
        EXPECT_EQ(oscillator.cAfter, kWait1ms);
        EXPECT_EQ(oscillator.asmAfter,
                  "    clr  A                     ; Wait 1ms for initialization\r\n"
                  "    djnz ACC,       $\r\n"
                  "    djnz ACC,       $\r\n"
                  "Osc_Wait:\r\n"
                  "    mov  A,         OSCXCN\r\n"
                  "    jnb  ACC.7,     Osc_Wait\r\n");

        // The old watchdog statements become today's, in both formats.
        const RegisterEntry& md = data.blockMap.at(1).registers.at(0);
        EXPECT_EQ(md.cBefore, "    PCA0MD    &= ~0x40;\r\n");
        EXPECT_EQ(md.asmBefore, "    anl  PCA0MD,    #0BFh\r\n");
        EXPECT_EQ(md.asmAfter, "");
        const RegisterEntry& cpl2 = data.blockMap.at(1).registers.at(1);
        EXPECT_EQ(cpl2.cAfter, "    PCA0MD    |= 0x40;\r\n");
        EXPECT_EQ(cpl2.asmAfter, "    orl  PCA0MD,    #040h\r\n");
        EXPECT_EQ(cpl2.asmBefore, "");
    }
}

TEST(LegacyFile, GenerationAGeneratesCorrectAssembly) {
    CK74x_75xDoc document = ReadProject(GenerationAFile(2));
    document.deviceData.codeFormat = kCodeFormatAsm;
    const std::string text = GenerateCode(document);
    EXPECT_NE(text.find("PCA_Init:\r\n"
                        "    anl  PCA0MD,    #0BFh\r\n"
                        "    mov  PCA0MD,    #000h\r\n"
                        "    mov  PCA0CPL2,  #020h\r\n"
                        "    orl  PCA0MD,    #040h\r\n"
                        "    ret\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Init_Device:\r\n"
                        "    lcall Reset_Sources_Init\r\n"
                        "    lcall PCA_Init\r\n"
                        "    lcall UART_Init\r\n"
                        "    lcall Port_IO_Init\r\n"
                        "    lcall Oscillator_Init\r\n"
                        "    lcall Interrupts_Init\r\n"
                        "    ret\r\n"),
              std::string::npos)
        << text;
    document.deviceData.codeFormat = kCodeFormatC;
    EXPECT_NE(GenerateCode(document).find("void PCA_Init()\r\n{\r\n"
                                           "    PCA0MD    &= ~0x40;\r\n"
                                           "    PCA0MD    = 0x00;\r\n"
                                           "    PCA0CPL2  = 0x20;\r\n"
                                           "    PCA0MD    |= 0x40;\r\n"
                                           "}\r\n"),
              std::string::npos);
    // Saved again, the file has today's layout and reads back unchanged.
    const std::string written = ProjectBytes(document);
    CK74x_75xDoc again = ReadProject(written);
    EXPECT_EQ(again.deviceData.fileFormatVersion, 81);
    EXPECT_EQ(again.deviceData.blockMap, document.deviceData.blockMap);
}

TEST(LegacyFile, GenerationAWatchdogAndWaitTextVariants) {
    struct Case {
        std::string cBefore, cAfter;
        std::string wantCBefore, wantAsmBefore, wantCAfter, wantAsmAfter;
    };
    const std::string clear = "    PCA0MD    &= ~0x40;\r\n";
    const std::string set = "    PCA0MD    |= 0x40;\r\n";
    const std::string anl = "    anl  PCA0MD,    #0BFh\r\n";
    const std::string orl = "    orl  PCA0MD,    #040h\r\n";
    const Case cases[] = {
        {"    PCA0MD      &= ~0x04;\r\n", "", clear, anl, "", ""},
        {"    PCA0MD    &= ~0x04;\r\n", "", clear, anl, "", ""},
        {"    PCA0MD      &= ~0x04;\n", "", clear, anl, "", ""},
        {clear, "", clear, anl, "", ""},
        {"", "    PCA0MD      |= 0x04;\r\n", "", "", set, orl},
        {"", "    PCA0MD    |= 0x04;\r\n", "", "", set, orl},
        {"", set, "", "", set, orl},
        // Anything else keeps its C text and gets no assembly text.
        {"    PCA0MD      &= ~0x04;", "", "    PCA0MD      &= ~0x04;", "", "", ""},
        {"    PCA0MD  &= ~0x04;\r\n", "    PCA0MD |= 0x04;\r\n", "    PCA0MD  &= ~0x04;\r\n", "",
         "    PCA0MD |= 0x04;\r\n", ""},
        {"", "    for (i = 0; i < 35; i++);  // Wait 10us for initialization\r\n", "", "",
         "    for (i = 0; i < 35; i++);  // Wait 10us for initialization\r\n", ""},
        {"", kWait100us + "x", "", "", kWait100us + "x", ""},
        {"", "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization\r\n", "", "",
         "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization\r\n", ""},
        {"", "\r\n", "", "", "\r\n", ""},
    };
    for (const Case& c : cases) {
        RegisterEntry entry;
        entry.name = "PCA0MD";
        entry.cBefore = c.cBefore;
        entry.cAfter = c.cAfter;
        BuildGenerationAAssemblyTexts(entry);
        EXPECT_EQ(entry.cBefore, c.wantCBefore) << c.cBefore << "|" << c.cAfter;
        EXPECT_EQ(entry.asmBefore, c.wantAsmBefore) << c.cBefore << "|" << c.cAfter;
        EXPECT_EQ(entry.cAfter, c.wantCAfter) << c.cBefore << "|" << c.cAfter;
        EXPECT_EQ(entry.asmAfter, c.wantAsmAfter) << c.cBefore << "|" << c.cAfter;
    }
    EXPECT_EQ(AssemblyHeadFromCHead("void ADC_Init()\r\n{"), "ADC_Init:\r\n");
    EXPECT_EQ(AssemblyHeadFromCHead("short"), ":\r\n");
}

TEST(LegacyFile, OldNumberings) {
    const std::int32_t a[] = {11, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 10, 12};
    const std::int32_t b[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 0, 12, 13};
    for (std::int32_t old = 0; old <= 12; ++old) {
        EXPECT_EQ(TranslateNumberingA(old), a[old]) << old;
        EXPECT_EQ(TranslateNumberingB(old), b[old]) << old;
    }
    for (std::int32_t other : {-1, 13, 14, 100}) {
        EXPECT_EQ(TranslateNumberingA(other), other);
        EXPECT_EQ(TranslateNumberingB(other), other);
    }
}

// --- Generation B (version 3): counted texts, old numbering B ----------------

struct EntryB {
    std::string name, cBefore, asmBefore, cAfter, asmAfter;
    std::uint8_t value, reset;
};

void BlockB(FileBytes& file, std::int32_t oldNumber, const std::string& routine, const std::string& cPrologue,
            const std::vector<EntryB>& entries) {
    file.Int32(oldNumber).CountedText("void " + routine + "()\r\n{").CountedText(routine + ":\r\n");
    file.CountedPrologueAB(cPrologue).CountedPrologueAB("");
    file.Int32(static_cast<std::int32_t>(entries.size()));
    std::int32_t index = 0;
    for (const EntryB& e : entries) {
        file.Int32(index++).CountedText(e.name).CountedText(e.cBefore).CountedText(e.asmBefore);
        file.CountedText(e.cAfter).CountedText(e.asmAfter).Byte(e.value).Byte(e.reset).Int32(1).Int32(0);
    }
    file.CountedText("}").CountedText("    ret");
}

TEST(LegacyFile, GenerationBConvertsNumbersAndSplitsTheComparatorReset) {
    FileBytes file;
    file.Head(0xD9, 1, 3).CountedText("QK740").Int32(1).Int32(4);
    const std::string vdmAfter = "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n";
    const std::string vdmAsm = "    clr  A                     ; Wait 5us for initialization\r\n    djnz ACC,       $\r\n";
    BlockB(file, 10, "Reset_Sources_Init", "",
           {{"VDM0CN", "", "", vdmAfter, vdmAsm, 0x80, 0x00}, {"RSTSRC", "", "", "", "", 0x26, 0x00}});
    BlockB(file, 2, "UART_Init", std::string(510, 'u'), {{"SCON0", "", "", "", "", 0x10, 0x00}});
    BlockB(file, 9, "Port_IO_Init", "", {{"XBR1", "", "", "", "", 0x40, 0x00}});
    BlockB(file, 12, "Interrupts_Init", "", {{"IE", "", "", "", "", 0x80, 0x00}});
    CK74x_75xDoc document = ReadProject(file.str());
    const CDeviceData& data = document.deviceData;
    EXPECT_EQ(data.deviceName, "QK740");
    EXPECT_EQ(data.codeFormat, 1);
    std::vector<std::int32_t> numbers;
    for (const auto& [number, block] : data.blockMap) {
        numbers.push_back(number);
        EXPECT_EQ(block.blockNumber, number);
    }
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{0, 3, 10, 11, 13}));
    EXPECT_EQ(data.blockMap.at(3).cPrologue, std::string(510, 'u'));

    // The reset sources without the comparator-reset bit; the comparator
    // reset under 10 with it and its own routine.
    const PeripheralBlock& reset = data.blockMap.at(0);
    EXPECT_EQ(reset.cHeader, "void Reset_Sources_Init()\r\n{");
    EXPECT_EQ(reset.registers.at(1).value, 0x06);
    const PeripheralBlock& comparatorReset = data.blockMap.at(10);
    EXPECT_EQ(comparatorReset.cHeader, "void Comparator_Reset_Source_Init()\r\n{");
    EXPECT_EQ(comparatorReset.asmHeader, "Comparator_Reset_Source_Init:\r\n");
    EXPECT_EQ(comparatorReset.registers.at(1).value, 0x26);
    EXPECT_EQ(comparatorReset.registers.at(0).asmAfter, vdmAsm);
    EXPECT_EQ(comparatorReset.registers, (std::vector<RegisterEntry>{reset.registers[0], [&] {
                                              RegisterEntry e = reset.registers[1];
                                              e.value = 0x26;
                                              return e;
                                          }()}));

    const std::string text = GenerateCode(document);
    EXPECT_NE(text.find("Reset_Sources_Init:\r\n"
                        "    orl  VDM0CN,    #080h\r\n" +
                        vdmAsm + "    orl  RSTSRC,    #006h\r\n    ret\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    lcall Reset_Sources_Init\r\n    lcall UART_Init\r\n"
                        "    lcall Comparator_Reset_Source_Init\r\n    lcall Port_IO_Init\r\n"
                        "    lcall Interrupts_Init\r\n"),
              std::string::npos)
        << text;
}

TEST(LegacyFile, GenerationBResetSourcesWithFewEntriesIsNotAnError) {
    FileBytes file;
    file.Head(0xD0, 1, 3).CountedText("QK740").Int32(0).Int32(1);
    BlockB(file, 10, "Reset_Sources_Init", "", {{"VDM0CN", "", "", "", "", 0x80, 0x00}});
    CK74x_75xDoc document = ReadProject(file.str());
    EXPECT_EQ(document.deviceData.blockMap.size(), 2u);
    EXPECT_EQ(document.deviceData.blockMap.at(0).registers.at(0).value, 0x80);
}

// --- Generations C (4-39) and D (40): short texts, today's numbers ------------

std::string GenerationCDFile(std::int32_t version) {
    FileBytes file;
    file.Head(0xD1, 1, version).ShortText("QK740").Int32(0).Int32(2);
    // Block 12 with a prologue long enough for the 0xFF form of its prefix.
    file.Int32(12).ShortText("void Oscillator_Init()\r\n{").ShortText("Oscillator_Init:\r\n");
    file.CountedPrologueCD(std::string(300, 'c')).CountedPrologueCD("    ; asm\r\n");
    file.Int32(1).Int32(0).ShortText("OSCICN").ShortText("").ShortText("").ShortText("    c after\r\n");
    file.ShortText("    asm after\r\n").Byte(0xC3).Byte(0xC0).Int32(0).Int32(1);
    file.ShortText("}").ShortText("    ret");
    file.Int32(7).ShortText("void Comparator_Init()\r\n{").ShortText("Comparator_Init:\r\n");
    file.CountedPrologueCD("").CountedPrologueCD("");
    file.Int32(1).Int32(0).ShortText("CPT0CN").ShortText("").ShortText("").ShortText("").ShortText("");
    file.Byte(0x80).Byte(0x00).Int32(0).Int32(0).ShortText("}").ShortText("    ret");
    return file.str();
}

TEST(LegacyFile, GenerationsCAndDKeepNumbersAndTexts) {
    for (std::int32_t version : {4, 20, 39, 40}) {
        CK74x_75xDoc document = ReadProject(GenerationCDFile(version));
        const CDeviceData& data = document.deviceData;
        EXPECT_EQ(data.deviceName, "QK740") << version;
        ASSERT_EQ(data.blockMap.size(), 2u);
        const PeripheralBlock& oscillator = data.blockMap.at(12);
        EXPECT_EQ(oscillator.cPrologue, std::string(300, 'c'));
        EXPECT_EQ(oscillator.asmPrologue, "    ; asm\r\n");
        EXPECT_EQ(oscillator.registers.at(0).cAfter, "    c after\r\n");
        EXPECT_EQ(oscillator.registers.at(0).asmAfter, "    asm after\r\n");
        EXPECT_EQ(oscillator.registers.at(0).forceEmit, 1);
        EXPECT_EQ(oscillator.asmFooter, "    ret");
        EXPECT_EQ(data.blockMap.at(7).registers.at(0).value, 0x80);
        const std::string text = GenerateCode(document);
        EXPECT_NE(text.find("    Comparator_Init();\r\n    Oscillator_Init();\r\n"), std::string::npos);
    }
}

TEST(LegacyFile, TruncatedOrCorruptLegacyFilesAreClearErrors) {
    const std::string files[] = {GenerationAFile(2), GenerationCDFile(40)};
    for (const std::string& bytes : files) {
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            CK74x_75xDoc document(0xD0);
            fw::CArchive archive(std::string_view(bytes).substr(0, length));
            EXPECT_THROW(document.Serialize(archive), fw::ArchiveError) << length;
            EXPECT_TRUE(document.deviceData.blockMap.empty());
        }
    }
    // A counted text with a negative or impossible length.
    for (std::int64_t length : {-2LL, 0x7FFFFFFFLL}) {
        FileBytes file;
        file.Head(0xD0, 1, 3).Int32(length).Byte(0).Raw("QK740");
        CK74x_75xDoc document(0xD0);
        fw::CArchive archive(file.str());
        try {
            document.Serialize(archive);
            ADD_FAILURE() << "accepted";
        } catch (const ProjectFileError& failure) {
            EXPECT_NE(std::string(failure.what()).find("text length"), std::string::npos) << failure.what();
        }
    }
    // A generation A block whose translated number is out of range.
    FileBytes file;
    file.Head(0xD0, 1, 2).Int32(5).Raw("QK740").Int32(1);
    BlockA(file, 40, "X", "", {});
    CK74x_75xDoc document(0xD0);
    fw::CArchive archive(file.str());
    EXPECT_THROW(document.Serialize(archive), ProjectFileError);
}

}  // namespace
}  // namespace regsmith
