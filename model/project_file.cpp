// The project file: a flat little-endian byte stream, field by field, stamped
// with format major 1 and version 81.  The reader also takes the layouts of
// earlier releases (generations A to D) and converts them.  Every count and
// length comes from the file, so each is checked against what is left before
// anything is read or allocated; a file the reader cannot use raises
// ProjectFileError with the cause.

#include "model/project_file.h"

#include <cstdio>
#include <string_view>

#include "fw/app.h"
#include "fw/document.h"
#include "model/catalogue.h"
#include "model/k74x_75x_doc.h"

namespace regsmith {

UnsupportedVersionError::UnsupportedVersionError(std::int32_t fileMajor, std::int32_t fileVersion)
    : ProjectFileError(kUnsupportedVersionMessage), major(fileMajor), version(fileVersion) {}

NotAProjectFileError::NotAProjectFileError(const std::string& cause)
    : ProjectFileError("not a Regsmith project file (" + cause + ")"), cause_(cause) {}

UnknownModelError::UnknownModelError(std::uint8_t id)
    : ProjectFileError(UnknownModelText(id) + "; a project of an unknown model cannot be edited"), deviceId(id) {}

std::string NotAProjectCause(std::uint8_t deviceId, std::int32_t major, std::int32_t version, bool numbersRead) {
    if (!FindModel(deviceId)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", deviceId);
        return std::string("its first byte ") + hex + " is no QK74x_75x device id (0xD0-0xDB)";
    }
    if (!numbersRead) return {};
    if (major < 0 || major > kMaxPlausibleMajor || version > kMaxPlausibleVersion)
        return "format major " + std::to_string(major) + ", version " + std::to_string(version) +
               " is no release's";
    return {};
}

bool LooksLikeProjectFile(std::string_view firstBytes) {
    if (firstBytes.size() < 9) return false;
    const auto word = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t(static_cast<std::uint8_t>(firstBytes[at + i])) << (8 * i);
        return static_cast<std::int32_t>(value);
    };
    const std::int32_t major = word(1), version = word(5);
    return NotAProjectCause(static_cast<std::uint8_t>(firstBytes[0]), major, version, true).empty() &&
           version >= -kMaxPlausibleVersion;
}

bool FileHoldsProject(const std::string& path) { return LooksLikeProjectFile(fw::ReadFileHead(path, 16)); }

FileGeneration GenerationOf(std::int32_t major, std::int32_t version) {
    if (major > kFileFormatMajor || version > kFileFormatVersion) return FileGeneration::Unsupported;
    if (major != kFileFormatMajor) return FileGeneration::Current;
    if (version >= 73) return FileGeneration::Current;
    if (version >= 41) return FileGeneration::CurrentAdjusted;
    if (version == 40) return FileGeneration::D;
    if (version >= 4) return FileGeneration::C;
    if (version == 3) return FileGeneration::B;
    return FileGeneration::A;
}

std::int32_t TranslateNumberingA(std::int32_t oldNumber) {
    static constexpr std::int32_t kNew[] = {11, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 10, 12};
    if (oldNumber < 0 || oldNumber > 12) return oldNumber;
    return kNew[oldNumber];
}

std::int32_t TranslateNumberingB(std::int32_t oldNumber) {
    static constexpr std::int32_t kNew[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 0, 12, 13};
    if (oldNumber < 0 || oldNumber > 12) return oldNumber;
    return kNew[oldNumber];
}

namespace {

constexpr std::string_view kWatchdogClearOld = "    PCA0MD      &= ~0x04;";
constexpr std::string_view kWatchdogClearOldNarrow = "    PCA0MD    &= ~0x04;";
constexpr std::string_view kWatchdogClear = "    PCA0MD    &= ~0x40;";
constexpr std::string_view kWatchdogSetOld = "    PCA0MD      |= 0x04;";
constexpr std::string_view kWatchdogSetOldNarrow = "    PCA0MD    |= 0x04;";
constexpr std::string_view kWatchdogSet = "    PCA0MD    |= 0x40;";
constexpr std::string_view kWait100us = "    for (i = 0; i < 350; i++);  // Wait 100us for initialization";
constexpr std::string_view kWait1ms = "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization";
// The 1 ms wait of the external oscillator is followed by its 37-character
// polling loop, which the reader does not inspect.
constexpr std::size_t kOscillatorPollLength = 37;

// Whether `text` is `body` followed by one line end.
bool IsLine(const std::string& text, std::string_view body) {
    if (text.size() <= body.size() || text.compare(0, body.size(), body) != 0) return false;
    const std::string_view end = std::string_view(text).substr(body.size());
    return end == "\r\n" || end == "\n";
}

std::string Number(std::int64_t value) { return std::to_string(value); }

}  // namespace

std::string AssemblyHeadFromCHead(const std::string& cHeader) {
    // "void " + name + "()" CR LF "{": the name lies between the first five and
    // the last five characters.
    std::string label;
    if (cHeader.size() > 10) label = cHeader.substr(5, cHeader.size() - 10);
    return label + ":\r\n";
}

void BuildGenerationAAssemblyTexts(RegisterEntry& entry) {
    // The oldest release wrote the watchdog-enable bit of PCA0MD as 0x04 in
    // some texts; the bit is 0x40.  Every form of the two watchdog statements
    // is rewritten to today's text with its assembly counterpart, so C and
    // assembly both disable the watchdog before PCA0MD and re-enable it after
    // the watchdog's compare register.
    entry.asmBefore.clear();
    if (IsLine(entry.cBefore, kWatchdogClearOld) || IsLine(entry.cBefore, kWatchdogClearOldNarrow) ||
        IsLine(entry.cBefore, kWatchdogClear)) {
        entry.cBefore = std::string(kWatchdogClear) + "\r\n";
        entry.asmBefore = "    anl  PCA0MD,    #0BFh\r\n";
    }

    entry.asmAfter.clear();
    const std::string& after = entry.cAfter;
    if (IsLine(after, kWatchdogSetOld) || IsLine(after, kWatchdogSetOldNarrow) || IsLine(after, kWatchdogSet)) {
        entry.cAfter = std::string(kWatchdogSet) + "\r\n";
        entry.asmAfter = "    orl  PCA0MD,    #040h\r\n";
    } else if (after.size() == kWait100us.size() + 2 && after.compare(0, kWait100us.size(), kWait100us) == 0) {
        entry.asmAfter =
            "    clr  A                     ; Wait 100us for initialization\r\n"
            "    djnz ACC,       $\r\n";
    } else if (after.size() >= kOscillatorPollLength &&
               std::string_view(after).substr(0, after.size() - kOscillatorPollLength) == kWait1ms) {
        entry.asmAfter =
            "    clr  A                     ; Wait 1ms for initialization\r\n"
            "    djnz ACC,       $\r\n"
            "    djnz ACC,       $\r\n"
            "Osc_Wait:\r\n"
            "    mov  A,         OSCXCN\r\n"
            "    jnb  ACC.7,     Osc_Wait\r\n";
    }
}

namespace {

// Reads the texts and counts of one generation, checking every count and
// length against the bytes that are left.
class Reader {
public:
    Reader(fw::CArchive& archive, FileGeneration generation) : archive_(archive), generation_(generation) {}

    FileGeneration Generation() const { return generation_; }
    bool IsA() const { return generation_ == FileGeneration::A; }
    bool IsB() const { return generation_ == FileGeneration::B; }
    bool IsCOrD() const { return generation_ == FileGeneration::C || generation_ == FileGeneration::D; }

    std::int32_t Int32() { return archive_.ReadInt32(); }
    std::uint8_t Byte() { return archive_.ReadByte(); }

    // A text in this generation's ordinary encoding.
    std::string Text() {
        if (IsA() || IsB()) return CountedText();
        if (IsCOrD()) return ShortText();
        return archive_.ReadString();
    }

    // A prologue in this generation's encoding.
    std::string Prologue() {
        if (IsA() || IsB()) {
            // Count, a length prefix of 1 + (N / 255 - 1 from N = 510 on) bytes, the characters.
            const std::int32_t length = Length("prologue");
            const std::size_t prefix = 1 + (length >= 510 ? static_cast<std::size_t>(length / 255 - 1) : 0);
            archive_.Skip(prefix);
            return Characters(length);
        }
        if (IsCOrD()) {
            // Count, a length prefix of one byte or 0xFF and two more, the characters.
            const std::int32_t length = Length("prologue");
            if (archive_.ReadByte() == 0xFF) archive_.Skip(2);
            return Characters(length);
        }
        return archive_.ReadString();
    }

    // Generation A's device name: a count, the characters, of which the last
    // two are dropped.
    std::string CountedCharacters() {
        const std::int32_t length = Length("device name");
        std::string text = Characters(length);
        text.resize(text.size() >= 2 ? text.size() - 2 : 0);
        return text;
    }

    // A count of records, each at least `minimumRecord` bytes long.
    std::int32_t Count(const char* what, std::int32_t limit, const char* holder, std::size_t minimumRecord) {
        const std::size_t at = archive_.Position();
        const std::int32_t count = Int32();
        if (count < 0)
            throw ProjectFileError(std::string("negative ") + what + " count " + Number(count) + " at byte " +
                                   Number(static_cast<std::int64_t>(at)));
        if (count > limit)
            throw ProjectFileError(std::string(what) + " count " + Number(count) + " at byte " +
                                   Number(static_cast<std::int64_t>(at)) + " is more than the " + Number(limit) + " " +
                                   holder + " can hold");
        const std::size_t needed = static_cast<std::size_t>(count) * minimumRecord;
        if (needed > archive_.Remaining())
            throw ProjectFileError(std::string(what) + " count " + Number(count) + " at byte " +
                                   Number(static_cast<std::int64_t>(at)) + " needs at least " + Number(needed) +
                                   " bytes, only " + Number(archive_.Remaining()) + " are left");
        return count;
    }

private:
    std::string ShortText() { return archive_.ReadRaw(archive_.ReadByte()); }

    std::string CountedText() {
        const std::int32_t length = Length("text");
        archive_.Skip(1);
        return Characters(length);
    }

    // An int32 length, refused when negative or beyond the end of the file.
    std::int32_t Length(const char* what) {
        const std::size_t at = archive_.Position();
        const std::int32_t length = Int32();
        if (length < 0)
            throw ProjectFileError(std::string("negative ") + what + " length " + Number(length) + " at byte " +
                                   Number(static_cast<std::int64_t>(at)));
        if (static_cast<std::size_t>(length) > archive_.Remaining())
            throw ProjectFileError(std::string(what) + " length " + Number(length) + " at byte " +
                                   Number(static_cast<std::int64_t>(at)) + " goes beyond the end of the file (" +
                                   Number(archive_.Remaining()) + " bytes left)");
        return length;
    }

    std::string Characters(std::int32_t length) { return archive_.ReadRaw(static_cast<std::size_t>(length)); }

    fw::CArchive& archive_;
    FileGeneration generation_;
};

// Smallest possible block and entry records of a generation (every text
// empty), used to refuse counts the rest of the file cannot hold.
std::size_t MinimumBlockRecord(FileGeneration generation) {
    switch (generation) {
        case FileGeneration::A: return 4 + 5 + 5 + 4 + 5;                 // number, C head, C prologue, count, C footer
        case FileGeneration::B: return 4 + 2 * 5 + 2 * 5 + 4 + 2 * 5;     // counted texts and prologues
        case FileGeneration::C:
        case FileGeneration::D: return 4 + 2 * 1 + 2 * 5 + 4 + 2 * 1;
        default: return 4 + 4 * 1 + 4 + 2 * 1;
    }
}

std::size_t MinimumEntryRecord(FileGeneration generation) {
    constexpr std::size_t kFixed = 4 + 1 + 1 + 4 + 4;  // index, value, reset value, OR mode, force emit
    switch (generation) {
        case FileGeneration::A: return kFixed + 3 * 5;
        case FileGeneration::B: return kFixed + 5 * 5;
        default: return kFixed + 5 * 1;
    }
}

RegisterEntry ReadEntry(Reader& in) {
    RegisterEntry entry;
    entry.index = in.Int32();
    entry.name = in.Text();
    if (in.IsA()) {
        entry.cBefore = in.Text();
        entry.cAfter = in.Text();
    } else {
        entry.cBefore = in.Text();
        entry.asmBefore = in.Text();
        entry.cAfter = in.Text();
        entry.asmAfter = in.Text();
    }
    entry.value = in.Byte();
    entry.resetValue = in.Byte();
    entry.orMode = in.Int32();
    entry.forceEmit = in.Int32();
    if (in.IsA()) BuildGenerationAAssemblyTexts(entry);
    return entry;
}

PeripheralBlock ReadBlock(Reader& in) {
    PeripheralBlock block;
    block.blockNumber = in.Int32();
    block.cHeader = in.Text();
    block.asmHeader = in.IsA() ? AssemblyHeadFromCHead(block.cHeader) : in.Text();
    block.cPrologue = in.Prologue();
    if (!in.IsA()) block.asmPrologue = in.Prologue();
    const std::int32_t count = in.Count("register entry", kMaxRegisterEntries, "a block", MinimumEntryRecord(in.Generation()));
    for (std::int32_t e = 0; e < count; ++e) {
        try {
            block.registers.push_back(ReadEntry(in));
        } catch (const fw::ArchiveError& failure) {
            throw ProjectFileError("entry " + Number(e + 1) + " of " + Number(count) + ": " + failure.what());
        }
    }
    block.cFooter = in.Text();
    block.asmFooter = in.IsA() ? std::string("    ret") : in.Text();
    return block;
}

// Releases 41 to 72 of the format moved blocks of other device families to
// new numbers; this family's blocks kept theirs, so nothing changes here.
void AdjustForDeviceFamily(std::map<std::int32_t, PeripheralBlock>&) {}

void Insert(std::map<std::int32_t, PeripheralBlock>& blocks, std::int32_t number, PeripheralBlock block) {
    block.blockNumber = number;
    blocks.emplace(number, std::move(block));  // a repeated number keeps the first block read
}

void WriteBlockMap(fw::CArchive& archive, const CDeviceData& data) {
    archive << data.deviceName << data.codeFormat << static_cast<std::int32_t>(data.blockMap.size());
    for (const auto& [number, block] : data.blockMap) {
        // The key orders the map and is what the reader inserts under.
        archive << number << block.cHeader << block.asmHeader << block.cPrologue << block.asmPrologue;
        archive << static_cast<std::int32_t>(block.registers.size());
        for (const RegisterEntry& entry : block.registers) {
            archive << entry.index << entry.name << entry.cBefore << entry.asmBefore << entry.cAfter << entry.asmAfter
                    << entry.value << entry.resetValue << entry.orMode << entry.forceEmit;
        }
        archive << block.cFooter << block.asmFooter;
    }
}

}  // namespace

void CDeviceData::Serialize(fw::CArchive& archive) {
    if (archive.IsStoring()) {
        WriteBlockMap(archive, *this);
        return;
    }
    const FileGeneration generation = GenerationOf(fileFormatMajor, fileFormatVersion);
    if (generation == FileGeneration::Unsupported) throw UnsupportedVersionError(fileFormatMajor, fileFormatVersion);
    Reader in(archive, generation);

    // Read into locals: the record changes only once the whole part was read.
    std::string name;
    std::int32_t format = kCodeFormatC;
    if (in.IsA()) {
        name = in.CountedCharacters();
    } else {
        name = in.Text();
        format = in.Int32();
    }
    std::map<std::int32_t, PeripheralBlock> blocks;
    const std::int32_t count = in.Count("block", kMaxBlockRecords, "a project file", MinimumBlockRecord(generation));
    for (std::int32_t i = 0; i < count; ++i) {
        PeripheralBlock block;
        try {
            block = ReadBlock(in);
        } catch (const fw::ArchiveError& failure) {
            throw ProjectFileError("block record " + Number(i + 1) + " of " + Number(count) + ": " + failure.what());
        }
        std::int32_t number = block.blockNumber;
        if (in.IsA()) number = TranslateNumberingA(number);
        if (in.IsB()) number = TranslateNumberingB(number);
        if (number < 0 || number > kMaxBlockNumber)
            throw ProjectFileError("block record " + Number(i + 1) + " of " + Number(count) + " has the number " +
                                   Number(block.blockNumber) + ", outside 0-" + Number(kMaxBlockNumber));
        if (in.IsB() && number == kBlockResetSources) {
            // Generation B kept the comparator reset in the reset-sources
            // block: its own routine writes RSTSRC with the comparator-reset
            // bit, the reset-sources routine writes it without.
            PeripheralBlock comparatorReset = block;
            comparatorReset.cHeader = "void Comparator_Reset_Source_Init()\r\n{";
            comparatorReset.asmHeader = "Comparator_Reset_Source_Init:\r\n";
            Insert(blocks, kBlockVoltageRegulator, std::move(comparatorReset));
            if (block.registers.size() > 1) block.registers[1].value &= static_cast<std::uint8_t>(~0x20);
        }
        Insert(blocks, number, std::move(block));
    }
    if (generation == FileGeneration::CurrentAdjusted) AdjustForDeviceFamily(blocks);

    deviceName = std::move(name);
    codeFormat = format;
    blockMap = std::move(blocks);
}

void CK74x_75xDoc::Serialize(fw::CArchive& archive) {
    if (archive.IsStoring()) {
        archive << deviceId << kFileFormatMajor << kFileFormatVersion;
        archive << clocks.sysclk << clocks.internalOscFrequency << clocks.reservedClockWord
                << clocks.externalOscFrequency << clocks.pcaClockWord;
        deviceData.Serialize(archive);
        return;
    }
    bool numbersRead = false;
    try {
        if (archive.Remaining() == 0) throw ProjectFileError("the file is empty");
        archive >> deviceId >> deviceData.fileFormatMajor >> deviceData.fileFormatVersion;
        numbersRead = true;
        if (GenerationOf(deviceData.fileFormatMajor, deviceData.fileFormatVersion) == FileGeneration::Unsupported)
            throw UnsupportedVersionError(deviceData.fileFormatMajor, deviceData.fileFormatVersion);
        ClockSettings read;
        archive >> read.sysclk >> read.internalOscFrequency >> read.reservedClockWord >> read.externalOscFrequency >>
            read.pcaClockWord;
        deviceData.Serialize(archive);
        if (archive.Remaining() != 0)
            throw ProjectFileError(Number(static_cast<std::int64_t>(archive.Remaining())) +
                                   " unexpected bytes follow the last block (at byte " +
                                   Number(static_cast<std::int64_t>(archive.Position())) + ")");
        clocks = read;
    } catch (const fw::ArchiveError&) {
        ForgetFileContents();
        // A file whose header no release could have written is not reported
        // as a newer or damaged project, but as what it is.
        if (archive.Position() > 0) {
            const std::string cause =
                NotAProjectCause(deviceId, deviceData.fileFormatMajor, deviceData.fileFormatVersion, numbersRead);
            if (!cause.empty()) throw NotAProjectFileError(cause);
        }
        throw;
    }
    // A whole project of no known model is read only to be looked at.
    if (!FindModel(deviceId) && !IsOpenedForInspection()) {
        ForgetFileContents();
        throw UnknownModelError(deviceId);
    }
}

void CK74x_75xDoc::ForgetFileContents() {
    // A refused or unreadable file: keep the device id and format numbers
    // read, nothing else of the file; the clock settings are those of a new
    // document so that nothing is left undetermined.
    clocks = kDefaultClockSettings;
    deviceData.deviceName.clear();
    deviceData.codeFormat = kCodeFormatC;
    deviceData.blockMap.clear();
}

bool CK74x_75xDoc::RecognisesFile(std::string_view firstBytes) const { return LooksLikeProjectFile(firstBytes); }

bool CK74x_75xDoc::OnOpenDocument(const std::string& path) { return CDeviceDocument::OnOpenDocument(path); }

}  // namespace regsmith
