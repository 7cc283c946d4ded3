#pragma once
// The twelve QK74x_75x models: template resource id, model name and device id.

#include <array>
#include <cstdint>

#include "fw/commands.h"

namespace regsmith {

struct ModelInfo {
    int resourceId;
    const char* documentClass;
    const char* model;
    std::uint8_t deviceId;
};

inline constexpr std::array<ModelInfo, 12> kCatalogue{{
    {17076, "CK740Doc", "QK740", 0xD0},
    {17077, "CK741Doc", "QK741", 0xD1},
    {17078, "CK743Doc", "QK743", 0xD2},
    {17079, "CK744Doc", "QK744", 0xD3},
    {17080, "CK746Doc", "QK746", 0xD4},
    {17081, "CK747Doc", "QK747", 0xD5},
    {17082, "CK750Doc", "QK750", 0xD6},
    {17083, "CK751Doc", "QK751", 0xD7},
    {17084, "CK753Doc", "QK753", 0xD8},
    {17085, "CK754Doc", "QK754", 0xD9},
    {17086, "CK756Doc", "QK756", 0xDA},
    {17087, "CK757Doc", "QK757", 0xDB},
}};

// Small package (P0.0-P0.5): device ids 0xD0-0xD5.  Large: 0xD6-0xDB.
inline bool IsSmallPackage(std::uint8_t deviceId) { return deviceId >= 0xD0 && deviceId <= 0xD5; }
inline bool IsLargePackage(std::uint8_t deviceId) { return deviceId >= 0xD6 && deviceId <= 0xDB; }
// Models with an odd device id have no LIN interrupt.
inline bool HasLinInterrupt(std::uint8_t deviceId) { return (deviceId & 1) == 0; }

// The menu of a project window (the same for all twelve models).
fw::MenuResource ProjectMenu();

}  // namespace regsmith
