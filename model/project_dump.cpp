// A readable listing of everything a project holds (regsmith-cli dump): the
// document's fields, every block with its texts and every register entry.
// Texts are quoted with their escapes visible, so line ends and stray bytes
// show.

#include <cstdio>
#include <ostream>
#include <string>

#include "model/device_document.h"

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

}  // namespace

void CDeviceDocument::Dump(std::ostream& out, bool json) const {
    if (json)
        DumpJson(out, *this);
    else
        DumpText(out, *this);
}

}  // namespace regsmith
