// A readable listing of everything a project holds (regsmith-cli dump): the
// document's fields, every block with its texts and every register entry.
// Texts are quoted with their escapes visible, so line ends and stray bytes
// show.

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <ostream>
#include <string>

#include "model/catalogue.h"
#include "model/k74x_75x_doc.h"
#include "model/register_fields.h"

namespace regsmith {

namespace {

std::string Hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
    return buffer;
}

// `text` in double quotes with \r, \n, \t, \" and \\ escaped; every other byte
// outside printable ASCII as \xNN, or for JSON as \u00NN.
std::string Escaped(const std::string& text, bool json) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, json ? "\\u%04X" : "\\x%02X", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string Quoted(const std::string& text) { return Escaped(text, false); }

// A JSON string; bytes are taken as Latin-1 characters, so any file gives
// valid JSON.
std::string JsonString(const std::string& text) { return Escaped(text, true); }

void DumpText(std::ostream& out, const CDeviceDocument& document) {
    const CDeviceData& data = document.deviceData;
    const ClockSettings& clocks = document.clocks;
    out << "device id:    " << Hex(document.deviceId, 2) << "\n";
    const std::string_view model = ModelName(document.deviceId);
    out << "model:        " << (model.empty() ? "unknown: " + UnknownModelText(document.deviceId) : std::string(model))
        << "\n";
    out << "file format:  major " << data.fileFormatMajor << ", version " << data.fileFormatVersion << "\n";
    out << "device name:  " << Quoted(data.deviceName) << "\n";
    out << "code format:  " << data.codeFormat << (data.IsAssembly() ? " (assembly)" : " (C)") << "\n";
    out << "clocks:       sysclk " << clocks.sysclk << ", internalOscFrequency " << clocks.internalOscFrequency
        << ", reservedClockWord " << clocks.reservedClockWord << ", externalOscFrequency "
        << clocks.externalOscFrequency << ", pcaClockWord " << clocks.pcaClockWord << "\n";
    out << "blocks:       " << data.blockMap.size() << "\n";
    for (const auto& [number, block] : data.blockMap) {
        out << "\nblock " << number;
        if (block.blockNumber != number) out << " (blockNumber " << block.blockNumber << ")";
        out << "\n";
        out << "  cHeader:     " << Quoted(block.cHeader) << "\n";
        out << "  asmHeader:   " << Quoted(block.asmHeader) << "\n";
        out << "  cPrologue:   " << Quoted(block.cPrologue) << "\n";
        out << "  asmPrologue: " << Quoted(block.asmPrologue) << "\n";
        out << "  cFooter:     " << Quoted(block.cFooter) << "\n";
        out << "  asmFooter:   " << Quoted(block.asmFooter) << "\n";
        out << "  registers:   " << block.registers.size() << "\n";
        for (const RegisterEntry& entry : block.registers) {
            out << "    [" << entry.index << "] " << Quoted(entry.name) << "  value " << Hex(entry.value, 2)
                << "  reset " << Hex(entry.resetValue, 2) << "  orMode " << entry.orMode << "  forceEmit "
                << entry.forceEmit << (entry.IsEmitted() ? "  (emitted)" : "") << "\n";
            out << "        cBefore:   " << Quoted(entry.cBefore) << "\n";
            out << "        asmBefore: " << Quoted(entry.asmBefore) << "\n";
            out << "        cAfter:    " << Quoted(entry.cAfter) << "\n";
            out << "        asmAfter:  " << Quoted(entry.asmAfter) << "\n";
        }
    }
}

void DumpJson(std::ostream& out, const CDeviceDocument& document) {
    const CDeviceData& data = document.deviceData;
    const ClockSettings& clocks = document.clocks;
    out << "{\n";
    out << "  \"deviceId\": " << unsigned(document.deviceId) << ",\n";
    out << "  \"model\": " << JsonString(std::string(ModelName(document.deviceId))) << ",\n";
    out << "  \"knownModel\": " << (FindModel(document.deviceId) ? "true" : "false") << ",\n";
    out << "  \"fileFormatMajor\": " << data.fileFormatMajor << ",\n";
    out << "  \"fileFormatVersion\": " << data.fileFormatVersion << ",\n";
    out << "  \"deviceName\": " << JsonString(data.deviceName) << ",\n";
    out << "  \"codeFormat\": " << data.codeFormat << ",\n";
    out << "  \"clocks\": {\"sysclk\": " << clocks.sysclk << ", \"internalOscFrequency\": "
        << clocks.internalOscFrequency << ", \"reservedClockWord\": " << clocks.reservedClockWord
        << ", \"externalOscFrequency\": " << clocks.externalOscFrequency << ", \"pcaClockWord\": "
        << clocks.pcaClockWord << "},\n";
    out << "  \"blocks\": [";
    bool firstBlock = true;
    for (const auto& [number, block] : data.blockMap) {
        out << (firstBlock ? "\n" : ",\n");
        firstBlock = false;
        out << "    {\n";
        out << "      \"key\": " << number << ",\n";
        out << "      \"blockNumber\": " << block.blockNumber << ",\n";
        out << "      \"cHeader\": " << JsonString(block.cHeader) << ",\n";
        out << "      \"asmHeader\": " << JsonString(block.asmHeader) << ",\n";
        out << "      \"cPrologue\": " << JsonString(block.cPrologue) << ",\n";
        out << "      \"asmPrologue\": " << JsonString(block.asmPrologue) << ",\n";
        out << "      \"cFooter\": " << JsonString(block.cFooter) << ",\n";
        out << "      \"asmFooter\": " << JsonString(block.asmFooter) << ",\n";
        out << "      \"registers\": [";
        bool firstEntry = true;
        for (const RegisterEntry& entry : block.registers) {
            out << (firstEntry ? "\n" : ",\n");
            firstEntry = false;
            out << "        {\"index\": " << entry.index << ", \"name\": " << JsonString(entry.name)
                << ", \"value\": " << unsigned(entry.value) << ", \"resetValue\": " << unsigned(entry.resetValue)
                << ", \"orMode\": " << entry.orMode << ", \"forceEmit\": " << entry.forceEmit
                << ", \"cBefore\": " << JsonString(entry.cBefore) << ", \"asmBefore\": " << JsonString(entry.asmBefore)
                << ", \"cAfter\": " << JsonString(entry.cAfter) << ", \"asmAfter\": " << JsonString(entry.asmAfter)
                << "}";
        }
        out << (firstEntry ? "]\n" : "\n      ]\n");
        out << "    }";
    }
    out << (firstBlock ? "]\n" : "\n  ]\n");
    out << "}\n";
}

// ---- Differences -----------------------------------------------------------

// The peripheral a block configures, as the Peripherals menu names it.
std::string BlockTitle(std::int32_t number) {
    switch (number) {
        case kBlockResetSources: return "Reset Sources (block 0)";
        case kBlockPca: return "PCA (block 1)";
        case kBlockTimers: return "Timers (block 2)";
        case kBlockUart: return "UART (block 3)";
        case kBlockSpi: return "SPI (block 5)";
        case kBlockAdc: return "ADC (block 6)";
        case kBlockComparator: return "Comparator (block 7)";
        case kBlockComparatorReset: return "Comparator as a reset source (block 8)";
        case kBlockVoltageReference: return "Voltage Reference (block 9)";
        case kBlockVoltageRegulator: return "Voltage Regulator (block 10)";
        case kBlockPortIO: return "Port I/O (block 11)";
        case kBlockOscillators: return "Oscillators (block 12)";
        case kBlockInterrupts: return "Interrupts (block 13)";
        default: return "block " + std::to_string(number);
    }
}

std::string ModelText(std::uint8_t deviceId) {
    const std::string_view model = ModelName(deviceId);
    return model.empty() ? "unknown model (device id " + Hex(deviceId, 2) + ")" : std::string(model);
}

// Writes difference lines, each block's title once before its first line.
class DifferenceWriter {
public:
    DifferenceWriter(std::ostream& out, std::string oldName, std::string newName)
        : out_(out), oldName_(std::move(oldName)), newName_(std::move(newName)) {}

    bool Any() const { return any_; }
    void Heading(std::string heading) { heading_ = std::move(heading); }
    void Line(const std::string& text) {
        if (!heading_.empty()) out_ << heading_ << "\n";
        heading_.clear();
        out_ << text << "\n";
        any_ = true;
    }
    template <class T>
    void Compare(const std::string& what, const T& before, const T& after, std::string (*show)(const T&)) {
        if (!(before == after)) Line(what + ": " + show(before) + " -> " + show(after));
    }
    void OnlyIn(const std::string& what, bool inNew) { Line(what + ": only in " + (inNew ? newName_ : oldName_)); }

private:
    std::ostream& out_;
    std::string oldName_, newName_, heading_;
    bool any_ = false;
};

std::string ShowText(const std::string& text) { return Quoted(text); }
std::string ShowByte(const std::uint8_t& value) { return Hex(value, 2); }
std::string ShowNumber(const std::int32_t& value) { return std::to_string(value); }
std::string ShowWord(const std::uint32_t& value) { return std::to_string(value); }
std::string ShowFormat(const std::int32_t& format) {
    if (format == kCodeFormatC) return "C";
    return format == kCodeFormatAsm ? std::string("assembly") : "assembly (" + std::to_string(format) + ")";
}
std::string ShowModel(const std::uint8_t& deviceId) { return ModelText(deviceId); }

void CompareEntries(DifferenceWriter& diff, std::int32_t block, int position, const RegisterEntry& a,
                    const RegisterEntry& b) {
    const std::string name = a.name == b.name ? a.name : a.name + "/" + b.name;
    diff.Compare("  " + name, a.value, b.value, ShowByte);
    // The settings a page shows, where the register's fields are known.
    if (a.value != b.value && a.name == b.name)
        for (const RegisterField& field : FieldsOf(block, position))
            if (FieldValue(field, a.value) != FieldValue(field, b.value))
                diff.Line("    " + std::string(field.name) + ": " + std::to_string(FieldValue(field, a.value)) +
                          " -> " + std::to_string(FieldValue(field, b.value)));
    diff.Compare("  " + name + " reset value", a.resetValue, b.resetValue, ShowByte);
    diff.Compare("  " + name + " OR mode", a.orMode, b.orMode, ShowNumber);
    diff.Compare("  " + name + " force emit", a.forceEmit, b.forceEmit, ShowNumber);
    diff.Compare("  " + name + " index", a.index, b.index, ShowNumber);
    diff.Compare("  " + name + " cBefore", a.cBefore, b.cBefore, ShowText);
    diff.Compare("  " + name + " asmBefore", a.asmBefore, b.asmBefore, ShowText);
    diff.Compare("  " + name + " cAfter", a.cAfter, b.cAfter, ShowText);
    diff.Compare("  " + name + " asmAfter", a.asmAfter, b.asmAfter, ShowText);
}

void CompareBlocks(DifferenceWriter& diff, std::int32_t number, const PeripheralBlock& a, const PeripheralBlock& b) {
    diff.Compare("  cHeader", a.cHeader, b.cHeader, ShowText);
    diff.Compare("  asmHeader", a.asmHeader, b.asmHeader, ShowText);
    diff.Compare("  cPrologue", a.cPrologue, b.cPrologue, ShowText);
    diff.Compare("  asmPrologue", a.asmPrologue, b.asmPrologue, ShowText);
    const std::size_t common = std::min(a.registers.size(), b.registers.size());
    for (std::size_t i = 0; i < common; ++i)
        CompareEntries(diff, number, static_cast<int>(i), a.registers[i], b.registers[i]);
    for (std::size_t i = common; i < a.registers.size(); ++i) diff.OnlyIn("  " + a.registers[i].name, false);
    for (std::size_t i = common; i < b.registers.size(); ++i) diff.OnlyIn("  " + b.registers[i].name, true);
    diff.Compare("  cFooter", a.cFooter, b.cFooter, ShowText);
    diff.Compare("  asmFooter", a.asmFooter, b.asmFooter, ShowText);
}

// Everything the user set that differs; the file format numbers are not
// compared, since every save writes today's.
bool WriteDifferenceLines(const CDeviceDocument& a, const CDeviceDocument& b, DifferenceWriter& diff) {
    diff.Compare("model", a.deviceId, b.deviceId, ShowModel);
    diff.Compare("device name", a.deviceData.deviceName, b.deviceData.deviceName, ShowText);
    diff.Compare("code format", a.deviceData.codeFormat, b.deviceData.codeFormat, ShowFormat);
    diff.Compare("sysclk", a.clocks.sysclk, b.clocks.sysclk, ShowWord);
    diff.Compare("internalOscFrequency", a.clocks.internalOscFrequency, b.clocks.internalOscFrequency, ShowWord);
    diff.Compare("reservedClockWord", a.clocks.reservedClockWord, b.clocks.reservedClockWord, ShowWord);
    diff.Compare("externalOscFrequency", a.clocks.externalOscFrequency, b.clocks.externalOscFrequency, ShowWord);
    diff.Compare("pcaClockWord", a.clocks.pcaClockWord, b.clocks.pcaClockWord, ShowWord);
    const auto& left = a.deviceData.blockMap;
    const auto& right = b.deviceData.blockMap;
    auto l = left.begin();
    auto r = right.begin();
    while (l != left.end() || r != right.end()) {
        if (r == right.end() || (l != left.end() && l->first < r->first)) {
            diff.Heading({});
            diff.OnlyIn(BlockTitle(l->first), false);
            ++l;
        } else if (l == left.end() || r->first < l->first) {
            diff.Heading({});
            diff.OnlyIn(BlockTitle(r->first), true);
            ++r;
        } else {
            diff.Heading(BlockTitle(l->first));
            CompareBlocks(diff, l->first, l->second, r->second);
            diff.Heading({});
            ++l;
            ++r;
        }
    }
    return diff.Any();
}

}  // namespace

bool CDeviceDocument::WriteDifferences(const fw::CDocument& other, std::ostream& out) const {
    const auto* project = dynamic_cast<const CDeviceDocument*>(&other);
    if (!project) return false;
    DifferenceWriter diff(out, GetPathName().empty() ? "the first project" : GetPathName(),
                          project->GetPathName().empty() ? "the second project" : project->GetPathName());
    return WriteDifferenceLines(*this, *project, diff);
}

void CK74x_75xDoc::DumpChanges(std::ostream& out) const {
    CK74x_75xDoc fresh(deviceId);
    fresh.OnNewDocument();
    // No model has this id: the family's defaults, which every model shares,
    // are the reference.
    const bool known = FindModel(deviceId) != nullptr;
    if (!known) out << "The model is unknown: " << UnknownModelText(deviceId) << ".\n";
    const std::string reference = known ? "a new " + ModelText(deviceId) + " project" : "a new project";
    std::ostringstream lines;
    DifferenceWriter diff(lines, reference, GetPathName().empty() ? "this project" : GetPathName());
    if (WriteDifferenceLines(fresh, *this, diff))
        out << "Changes from " << reference << ":\n" << lines.str();
    else
        out << "No changes from " << reference << ".\n";
}

void CDeviceDocument::Dump(std::ostream& out, bool json) const {
    if (json)
        DumpJson(out, *this);
    else
        DumpText(out, *this);
}

}  // namespace regsmith
