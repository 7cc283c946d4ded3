// The project file: a flat little-endian byte stream, field by field, stamped
// with format major 1 and version 81.

#include "fw/archive.h"
#include "fw/app.h"
#include "model/k74x_75x_doc.h"

namespace regsmith {

namespace {

constexpr std::int32_t kFormatMajor = 1;
constexpr std::int32_t kFormatVersion = 81;

}  // namespace

void CK74x_75xDoc::Serialize(fw::CArchive& archive) {
    if (archive.IsStoring()) {
        archive << deviceId << kFormatMajor << kFormatVersion;
        archive << clocks.sysclk << clocks.internalOscFrequency << clocks.reservedClockWord
                << clocks.externalOscFrequency << clocks.pcaClockWord;
        deviceData.Serialize(archive);
        return;
    }
    archive >> deviceId >> deviceData.fileFormatMajor >> deviceData.fileFormatVersion;
    archive >> clocks.sysclk >> clocks.internalOscFrequency >> clocks.reservedClockWord >>
        clocks.externalOscFrequency >> clocks.pcaClockWord;
    deviceData.Serialize(archive);
}

bool CK74x_75xDoc::OnOpenDocument(const std::string& path) { return CDeviceDocument::OnOpenDocument(path); }

void CDeviceData::Serialize(fw::CArchive& archive) {
    if (archive.IsStoring()) {
        archive << deviceName << codeFormat << static_cast<std::int32_t>(blockMap.size());
        for (const auto& [number, block] : blockMap) {
            (void)number;
            archive << block.blockNumber << block.cHeader << block.asmHeader << block.cPrologue << block.asmPrologue;
            archive << static_cast<std::int32_t>(block.registers.size());
            for (const RegisterEntry& entry : block.registers) {
                archive << entry.index << entry.name << entry.cBefore << entry.asmBefore << entry.cAfter
                        << entry.asmAfter << entry.value << entry.resetValue << entry.orMode << entry.forceEmit;
            }
            archive << block.cFooter << block.asmFooter;
        }
        return;
    }
    blockMap.clear();
    std::int32_t count = 0;
    archive >> deviceName >> codeFormat >> count;
    for (std::int32_t i = 0; i < count; ++i) {
        PeripheralBlock block;
        std::int32_t entries = 0;
        archive >> block.blockNumber >> block.cHeader >> block.asmHeader >> block.cPrologue >> block.asmPrologue;
        archive >> entries;
        for (std::int32_t e = 0; e < entries; ++e) {
            RegisterEntry entry;
            archive >> entry.index >> entry.name >> entry.cBefore >> entry.asmBefore >> entry.cAfter >>
                entry.asmAfter >> entry.value >> entry.resetValue >> entry.orMode >> entry.forceEmit;
            block.registers.push_back(std::move(entry));
        }
        archive >> block.cFooter >> block.asmFooter;
        blockMap.emplace(block.blockNumber, std::move(block));
    }
}

}  // namespace regsmith
