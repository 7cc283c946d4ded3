#include <gtest/gtest.h>

#include "codegen/generator.h"
#include "fw/archive.h"
#include "model/k74x_75x_doc.h"
#include "model/project_file.h"
#include "tests/model/file_bytes.h"
#include "tests/model/project_bytes.h"
#include "tests/support/generated_text.h"

namespace regsmith {
namespace {

using testing::CTail;
using testing::FileBytes;
using testing::kCHead;
using testing::ProjectBytes;
using testing::ReadProject;

CK74x_75xDoc NewDocument(std::uint8_t id = 0xD0) {
    CK74x_75xDoc document(id);
    EXPECT_TRUE(document.OnNewDocument());
    return document;
}

// The reader's error for `bytes`, or "" when it accepted them.
std::string ReadError(const std::string& bytes, CK74x_75xDoc* into = nullptr) {
    CK74x_75xDoc local(0xD0);
    CK74x_75xDoc& document = into ? *into : local;
    fw::CArchive archive(bytes);
    try {
        document.Serialize(archive);
    } catch (const fw::ArchiveError& failure) {
        return failure.what();
    }
    return {};
}

// A current-layout file holding one UART block with SCON0 = 0x10.
FileBytes UartFile(std::int32_t major = 1, std::int32_t version = 81) {
    FileBytes file;
    file.Head(0xD3, major, version).Text("QK740").Int32(0).Int32(1);
    file.Int32(3).Text("void UART_Init()\r\n{").Text("UART_Init:\r\n").Text("").Text("");
    file.Int32(1).Int32(0).Text("SCON0").Text("").Text("").Text("").Text("").Byte(0x10).Byte(0).Int32(0).Int32(0);
    file.Text("}").Text("    ret");
    return file;
}

const std::string kUartC = kCHead +
                          "void UART_Init()\r\n"
                          "{\r\n"
                          "    SCON0     = 0x10;\r\n"
                          "}\r\n" +
                          CTail({"UART_Init"});

// --- The current layout -----------------------------------------------------

TEST(ProjectFile, NewProjectStartsWithTheDocumentFieldsInTableOrder) {
    CK74x_75xDoc document = NewDocument(0xD6);
    const std::string bytes = ProjectBytes(document);
    FileBytes head;
    head.Head(0xD6, 1, 81, 191406, 24500000, 0, 0, 0).Text("QK740").Int32(0).Int32(13);
    ASSERT_GT(bytes.size(), head.size());
    EXPECT_EQ(bytes.substr(0, head.size()), head.str());
    // The first block record: block 0, its heads, empty prologues, two entries.
    FileBytes block;
    block.Int32(0).Text("void Reset_Sources_Init()\r\n{").Text("Reset_Sources_Init:\r\n").Text("").Text("").Int32(2);
    block.Int32(0).Text("VDM0CN").Text("").Text("");
    EXPECT_EQ(bytes.substr(head.size(), block.size()), block.str());
    // Nothing follows the last block's assembly footer.
    EXPECT_EQ(bytes.substr(bytes.size() - 10), std::string("\x01}\x07    ret", 10));
}

TEST(ProjectFile, NewProjectRoundTripsToTheSameDocumentTextAndBytes) {
    for (std::int32_t format : {kCodeFormatC, kCodeFormatAsm}) {
        CK74x_75xDoc document = NewDocument(0xDB);
        document.deviceData.codeFormat = format;
        document.clocks = ClockSettings{24500000, 24500000, 7, 32768, 1000};
        document.deviceData.blockMap[kBlockTimers].registers[1].value = 0x22;
        document.deviceData.blockMap[kBlockPortIO].cPrologue = "    // P0.0  -  TX0\r\n";
        const std::string bytes = ProjectBytes(document);
        CK74x_75xDoc read = ReadProject(bytes);
        EXPECT_EQ(read.deviceId, 0xDB);
        EXPECT_EQ(read.clocks, document.clocks);
        EXPECT_EQ(read.deviceData.deviceName, "QK740");
        EXPECT_EQ(read.deviceData.codeFormat, format);
        EXPECT_EQ(read.deviceData.blockMap, document.deviceData.blockMap);
        EXPECT_EQ(read.deviceData.fileFormatMajor, 1);
        EXPECT_EQ(read.deviceData.fileFormatVersion, 81);
        EXPECT_EQ(GenerateCode(read), GenerateCode(document));
        EXPECT_EQ(ProjectBytes(read), bytes);
    }
}

TEST(ProjectFile, TextsAtTheLengthBoundariesAreWrittenAndReadInTheirForm) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {254, std::string("\xFE", 1)},
        {255, std::string("\xFF\xFF\x00", 3)},
        {0xFFFD, std::string("\xFF\xFD\xFF", 3)},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {0x12345, std::string("\xFF\xFF\xFF\x45\x23\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        CK74x_75xDoc document = NewDocument();
        const std::string text(c.length, 'p');
        document.deviceData.blockMap[kBlockUart].cPrologue = text;
        const std::string bytes = ProjectBytes(document);
        const std::size_t at = bytes.find(c.prefix + "ppp");
        ASSERT_NE(at, std::string::npos) << c.length;
        EXPECT_EQ(bytes.compare(at + c.prefix.size(), c.length, text), 0) << c.length;
        CK74x_75xDoc read = ReadProject(bytes);
        EXPECT_EQ(read.deviceData.blockMap[kBlockUart].cPrologue, text) << c.length;
    }
}

TEST(ProjectFile, OlderCurrentLayoutVersionsAreWrittenBackAsVersion81) {
    for (std::int32_t version : {41, 60, 72, 73, 80}) {
        const std::string bytes = UartFile(1, version).str();
        CK74x_75xDoc read = ReadProject(bytes);
        EXPECT_EQ(read.deviceData.fileFormatVersion, version);
        EXPECT_EQ(GenerateCode(read), kUartC) << version;
        const std::string written = ProjectBytes(read);
        EXPECT_EQ(written, UartFile(1, 81).str()) << version;
    }
}

TEST(ProjectFile, MajorZeroOrNegativeIsReadWithTheCurrentLayout) {
    for (std::int32_t major : {0, -1}) {
        for (std::int32_t version : {0, 3, 40, 81}) {
            CK74x_75xDoc read = ReadProject(UartFile(major, version).str());
            EXPECT_EQ(read.deviceData.fileFormatMajor, major);
            EXPECT_EQ(GenerateCode(read), kUartC) << major << "/" << version;
            EXPECT_EQ(ProjectBytes(read), UartFile(1, 81).str());
        }
    }
}

TEST(ProjectFile, BlockCountZeroGivesAnEmptyMapAndTheEmptyConfiguration) {
    FileBytes file;
    file.Head(0xD0, 1, 81).Text("QK740").Int32(1).Int32(0);
    CK74x_75xDoc read = ReadProject(file.str());
    EXPECT_TRUE(read.deviceData.blockMap.empty());
    EXPECT_EQ(read.deviceData.codeFormat, 1);
    EXPECT_NE(GenerateCode(read).find("; Empty configuration\r\n"), std::string::npos);
    EXPECT_EQ(ProjectBytes(read), file.str());
}

TEST(ProjectFile, RepeatedBlockNumberKeepsTheFirstBlockRead) {
    FileBytes file;
    file.Head(0xD0, 1, 81).Text("QK740").Int32(0).Int32(2);
    for (std::uint8_t value : {0x10, 0x50}) {
        file.Int32(3).Text("void UART_Init()\r\n{").Text("UART_Init:\r\n").Text("").Text("");
        file.Int32(1).Int32(0).Text("SCON0").Text("").Text("").Text("").Text("").Byte(value).Byte(0).Int32(0).Int32(0);
        file.Text("}").Text("    ret");
    }
    CK74x_75xDoc read = ReadProject(file.str());
    ASSERT_EQ(read.deviceData.blockMap.size(), 1u);
    EXPECT_EQ(read.deviceData.blockMap[3].registers[0].value, 0x10);
}

TEST(ProjectFile, EntryIndexesAndFlagsAreTakenAsStored) {
    FileBytes file;
    file.Head(0xD0, 1, 81).Text("QK740").Int32(0).Int32(1);
    file.Int32(9).Text("void Voltage_Reference_Init()\r\n{").Text("Voltage_Reference_Init:\r\n").Text("").Text("");
    file.Int32(1).Int32(7).Text("REF0CN").Text("b\r\n").Text("ab\r\n").Text("a\r\n").Text("aa\r\n");
    file.Byte(0x00).Byte(0x00).Int32(-1).Int32(5).Text("}").Text("    ret");
    CK74x_75xDoc read = ReadProject(file.str());
    const RegisterEntry& entry = read.deviceData.blockMap[9].registers.at(0);
    EXPECT_EQ(entry.index, 7);
    EXPECT_EQ(entry.orMode, -1);
    EXPECT_EQ(entry.forceEmit, 5);
    EXPECT_EQ(entry.cBefore, "b\r\n");
    EXPECT_EQ(entry.asmAfter, "aa\r\n");
    EXPECT_NE(GenerateCode(read).find("b\r\n    REF0CN    |= 0x00;\r\na\r\n"), std::string::npos);
}

// --- Refused files ----------------------------------------------------------

TEST(ProjectFile, GenerationTable) {
    EXPECT_EQ(GenerationOf(1, 81), FileGeneration::Current);
    EXPECT_EQ(GenerationOf(1, 73), FileGeneration::Current);
    EXPECT_EQ(GenerationOf(1, 72), FileGeneration::CurrentAdjusted);
    EXPECT_EQ(GenerationOf(1, 41), FileGeneration::CurrentAdjusted);
    EXPECT_EQ(GenerationOf(1, 40), FileGeneration::D);
    EXPECT_EQ(GenerationOf(1, 39), FileGeneration::C);
    EXPECT_EQ(GenerationOf(1, 4), FileGeneration::C);
    EXPECT_EQ(GenerationOf(1, 3), FileGeneration::B);
    EXPECT_EQ(GenerationOf(1, 2), FileGeneration::A);
    EXPECT_EQ(GenerationOf(1, -7), FileGeneration::A);
    EXPECT_EQ(GenerationOf(0, 2), FileGeneration::Current);
    EXPECT_EQ(GenerationOf(-3, 81), FileGeneration::Current);
    EXPECT_EQ(GenerationOf(1, 82), FileGeneration::Unsupported);
    EXPECT_EQ(GenerationOf(2, 81), FileGeneration::Unsupported);
    EXPECT_EQ(GenerationOf(2, 10), FileGeneration::Unsupported);
    EXPECT_EQ(GenerationOf(0, 82), FileGeneration::Unsupported);
}

TEST(ProjectFile, NewerFileIsRefusedAndLeavesTheStateOfANewDocumentsClocks) {
    for (auto [major, version] : {std::pair{1, 82}, std::pair{2, 81}, std::pair{7, 1}}) {
        CK74x_75xDoc document = NewDocument();
        document.clocks = ClockSettings{1, 2, 3, 4, 5};
        FileBytes file = UartFile(major, version);
        fw::CArchive archive(file.str());
        try {
            document.Serialize(archive);
            ADD_FAILURE() << "accepted " << major << "/" << version;
        } catch (const UnsupportedVersionError& failure) {
            EXPECT_STREQ(failure.what(), "Error: This file is not supported under this DLL version");
            EXPECT_EQ(failure.major, major);
            EXPECT_EQ(failure.version, version);
        }
        EXPECT_EQ(document.deviceId, 0xD3);
        EXPECT_EQ(document.deviceData.fileFormatMajor, major);
        EXPECT_EQ(document.deviceData.fileFormatVersion, version);
        EXPECT_EQ(document.clocks, kDefaultClockSettings);
        EXPECT_EQ(document.deviceData.deviceName, "");
        EXPECT_TRUE(document.deviceData.blockMap.empty());
        // Nothing past the format numbers was read.
        EXPECT_EQ(archive.Position(), 9u);
    }
}

TEST(ProjectFile, EveryTruncationIsAClearErrorAndNoHalfReadDocument) {
    CK74x_75xDoc configured = NewDocument();
    configured.deviceData.blockMap[kBlockUart].registers[0].value = 0x10;
    configured.clocks.externalOscFrequency = 11059200;
    const std::string bytes = ProjectBytes(configured);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CK74x_75xDoc document = NewDocument();
        const std::string error = ReadError(bytes.substr(0, length), &document);
        ASSERT_FALSE(error.empty()) << "accepted a file cut at " << length;
        EXPECT_TRUE(document.deviceData.blockMap.empty());
        EXPECT_EQ(document.clocks, kDefaultClockSettings);
    }
    EXPECT_EQ(ReadError(""), "the file is empty");
    const std::string cut = ReadError(bytes.substr(0, bytes.size() - 5));
    EXPECT_EQ(cut.find("block record 13 of 13: the file ends early"), 0u) << cut;
}

// Every id of the catalogue reads as before.  Any other id is read whole and
// then refused for editing, leaving nothing of the file, so a reload or a
// restored state over an open project keeps what it had; a document opened
// for inspection (dump, diff) reads it.
TEST(ProjectFile, AnUnknownDeviceIdIsReadOnlyForInspection) {
    CK74x_75xDoc configured = NewDocument(0xD6);
    configured.deviceData.blockMap[kBlockUart].registers[0].value = 0x10;
    configured.clocks.externalOscFrequency = 11059200;
    for (int id = 0; id < 256; ++id) {
        SCOPED_TRACE(id);
        configured.deviceId = static_cast<std::uint8_t>(id);
        const std::string bytes = ProjectBytes(configured);
        CK74x_75xDoc edited(0xD0);
        const std::string error = ReadError(bytes, &edited);
        EXPECT_EQ(edited.deviceId, id);
        if (id >= 0xD0 && id <= 0xDB) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(ProjectBytes(edited), bytes);
            continue;
        }
        EXPECT_NE(error.find(" is no QK74x_75x model (0xD0-0xDB); a project of an unknown model cannot be edited"),
                  std::string::npos) << error;
        EXPECT_TRUE(edited.deviceData.blockMap.empty());
        EXPECT_EQ(edited.clocks, kDefaultClockSettings);

        CK74x_75xDoc inspected(0xD0);
        inspected.SetOpenedForInspection();
        EXPECT_EQ(ReadError(bytes, &inspected), "");
        EXPECT_EQ(ProjectBytes(inspected), bytes);
    }
    EXPECT_EQ(std::string(UnknownModelError(0xE0).what()),
              "device id 0xE0 is no QK74x_75x model (0xD0-0xDB); a project of an unknown model cannot be edited");

    CK74x_75xDoc open = NewDocument(0xD1);
    open.deviceData.blockMap[kBlockSpi].registers[0].value = 0x55;
    const std::string before = ProjectBytes(open);
    configured.deviceId = 0xE0;
    std::string error;
    EXPECT_FALSE(open.RestoreState(ProjectBytes(configured), error));
    EXPECT_EQ(error, UnknownModelError(0xE0).what());
    EXPECT_EQ(ProjectBytes(open), before);
}

struct CorruptCase {
    const char* what;
    std::string bytes;
    const char* expected;  // part of the message
};

TEST(ProjectFile, CorruptCountsLengthsAndNumbersAreClearErrors) {
    const auto blockStart = [](std::int32_t count) {
        FileBytes file;
        file.Head(0xD0, 1, 81).Text("QK740").Int32(0).Int32(count);
        return file;
    };
    const auto withEntries = [&](std::int32_t number, std::int64_t entries) {
        FileBytes file = blockStart(1);
        file.Int32(number).Text("void X()\r\n{").Text("X:\r\n").Text("").Text("").Int32(entries);
        return file;
    };
    std::vector<CorruptCase> cases;
    cases.push_back({"negative block count", blockStart(-1).str(), "negative block count -1"});
    cases.push_back({"absurd block count", blockStart(0x7FFFFFFF).str(), "block count 2147483647"});
    {
        FileBytes file = blockStart(200);  // within the bound, far beyond the bytes left
        cases.push_back({"block count beyond the bytes", file.str(), "needs at least 2800 bytes, only 0 are left"});
    }
    cases.push_back({"negative entry count", withEntries(3, -5).Text("}").Text("").str(),
                     "negative register entry count -5"});
    {
        FileBytes file = withEntries(3, 257);
        for (int i = 0; i < 257; ++i)
            file.Int32(i).Text("R").Text("").Text("").Text("").Text("").Byte(1).Byte(0).Int32(0).Int32(0);
        file.Text("}").Text("");
        cases.push_back({"more entries than a block holds", file.str(), "is more than the 256 a block can hold"});
    }
    {
        FileBytes file = withEntries(3, 1);
        file.Int32(0).Byte(0xFF).UInt16(0xFFFF).Int32(0xFFFFFFF0).Raw(std::string(40, 'z'));  // a name of nearly 4 GiB
        cases.push_back({"text length of gigabytes", file.str(), "needs 4294967280 bytes"});
    }
    {
        FileBytes file = withEntries(3, 1);
        file.Int32(0).Byte(0xFF).UInt16(300).Raw(std::string(40, 'z'));
        cases.push_back({"16-bit text length beyond the end", file.str(), "the file ends early"});
    }
    for (std::int32_t number : {14, -1, 0x7FFFFFFF}) {
        cases.push_back({"block number out of range", withEntries(number, 0).Text("}").Text("").str(),
                         "outside 0-13"});
    }
    {
        FileBytes file = blockStart(0);
        file.Raw("junk");
        cases.push_back({"trailing bytes", file.str(), "4 unexpected bytes follow the last block"});
    }
    for (const CorruptCase& c : cases) {
        CK74x_75xDoc document = NewDocument();
        const std::string error = ReadError(c.bytes, &document);
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(document.deviceData.blockMap.empty()) << c.what;
    }
}

}  // namespace
}  // namespace regsmith
