#pragma once
// The register model of a project: peripheral blocks of register entries, each
// carrying the value the user's settings give it and the text fragments from
// which the generator builds that peripheral's routine.

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace fw {
class CArchive;
}

namespace regsmith {

// Text line end used in every generated and stored text.
inline constexpr const char* kCrLf = "\r\n";

struct RegisterEntry {
    std::int32_t index = 0;
    std::string name;
    std::string cBefore;
    std::string asmBefore;
    std::string cAfter;
    std::string asmAfter;
    std::uint8_t value = 0;
    std::uint8_t resetValue = 0;
    std::int32_t orMode = 0;
    std::int32_t forceEmit = 0;

    // Whether the generator writes this register's line.
    bool IsEmitted() const { return value != resetValue || forceEmit != 0; }

    friend bool operator==(const RegisterEntry&, const RegisterEntry&) = default;
};

struct PeripheralBlock {
    std::int32_t blockNumber = 0;
    std::string cHeader;
    std::string asmHeader;
    std::string cPrologue;
    std::string asmPrologue;
    std::vector<RegisterEntry> registers;
    std::string cFooter;
    std::string asmFooter;

    friend bool operator==(const PeripheralBlock&, const PeripheralBlock&) = default;
};

// Entry operations that tolerate a damaged block: an index the block does
// not hold reads as 0 and ignores writes, so pages show the all-clear state.
RegisterEntry* EntryOf(PeripheralBlock& block, int index);
const RegisterEntry* EntryOf(const PeripheralBlock& block, int index);
std::uint8_t ValueOf(const PeripheralBlock& block, int index);
bool TestBits(const PeripheralBlock& block, int index, std::uint8_t mask);
void SetBitsIn(PeripheralBlock& block, bool on, int index, std::uint8_t mask);
void ReplaceBitsIn(PeripheralBlock& block, int index, std::uint8_t clearMask, std::uint8_t setBits);
// The position of a field's lowest bit (0x30 -> 4): its value is
// (value AND mask) shifted down by it.
int FieldShift(std::uint8_t mask);

// Block numbers (the key of the block map and the order of the routines).
enum BlockNumber : std::int32_t {
    kBlockResetSources = 0,
    kBlockPca = 1,
    kBlockTimers = 2,
    kBlockUart = 3,
    kBlockSpi = 5,
    kBlockAdc = 6,
    kBlockComparator = 7,
    kBlockComparatorReset = 8,
    kBlockVoltageReference = 9,
    kBlockVoltageRegulator = 10,
    kBlockPortIO = 11,
    kBlockOscillators = 12,
    kBlockInterrupts = 13,
};
inline constexpr std::int32_t kMaxBlockNumber = 13;

enum CodeFormat : std::int32_t { kCodeFormatC = 0, kCodeFormatAsm = 1 };

class CDeviceData {
public:
    std::int32_t fileFormatMajor = 0;
    std::int32_t fileFormatVersion = 0;
    std::string deviceName;
    std::int32_t codeFormat = kCodeFormatC;
    std::map<std::int32_t, PeripheralBlock> blockMap;

    bool IsAssembly() const { return codeFormat != kCodeFormatC; }

    // The block-map part of the project file (device name, code format,
    // blocks).  Loading reads the layout of the given file format version.
    void Serialize(fw::CArchive& archive);
};

}  // namespace regsmith
