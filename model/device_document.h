#pragma once
// The project document: device id, clock settings and the register model.

#include <cstdint>

#include "fw/document.h"
#include "model/device_data.h"

namespace regsmith {

struct ClockSettings {
    std::uint32_t sysclk = 0;
    std::uint32_t internalOscFrequency = 0;
    std::uint32_t reservedClockWord = 0;
    std::uint32_t externalOscFrequency = 0;
    std::uint32_t pcaClockWord = 0;

    friend bool operator==(const ClockSettings&, const ClockSettings&) = default;
};

// Clock settings of a new document: SYSCLK is the 24.5 MHz internal
// oscillator divided by 128.
inline constexpr ClockSettings kDefaultClockSettings{191406, 24500000, 0, 0, 0};

class CDeviceDocument : public fw::CDocument {
public:
    std::uint8_t deviceId = 0;
    ClockSettings clocks;
    CDeviceData deviceData;

    // Copies block `number` into `block`; inserts an empty block first when
    // the map has none under that number.
    void GetBlock(PeripheralBlock& block, std::int32_t number);
    // Replaces block `number` with a copy of `block` (inserting the key if absent).
    void SetBlock(const PeripheralBlock& block, std::int32_t number);

    virtual void InitializePeripherals() {}

    // The generated text for the current code format.

    // Reads the project at `path`.  A file that is newer than this release,
    // unreadable or corrupt, or (unless opened for inspection) a project of
    // no known model, is reported in a message box naming the cause and the
    // open fails, so nothing can later be saved over the user's file.
    bool OnOpenDocument(const std::string& path) override;

    // Save Project and Save Project As.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, fw::CommandState& state) const override;
    // Writes the project to `path` (atomically: a failure leaves the old file
    // as it was) and clears the modified flag.  False after reporting the
    // failure in a message box.
    bool SaveTo(const std::string& path);
    bool DoSave();
    bool DoSaveAs();

    // The model of the document's device id ("QK750"), empty for an id no model has.
    std::string GetModelName() const override;

    // Project-file bytes of the current document.
    std::string ToBytes();

    // Everything the document holds, texts with their escapes visible:
    // readable text, or JSON when `json` is set.
    void Dump(std::ostream& out, bool json) const override;
    // Per peripheral block, each register whose value, flags or texts differ
    // (name, old, new); the clocks, code format and model too.
    bool WriteDifferences(const fw::CDocument& other, std::ostream& out) const override;
    // Pins, clocks and problems of the current registers (model/overview.h).
    bool GetOverview(fw::ChipOverview& overview) const override;
};

}  // namespace regsmith
