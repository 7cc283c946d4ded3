#pragma once
// The twelve QK74x_75x models and what tells them apart: template resource
// id, model name, device id, package (pin count) and the LIN interrupt.

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

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

// The model with that device id, or null for an id no model has.
constexpr const ModelInfo* FindModel(std::uint8_t deviceId) {
    for (const ModelInfo& model : kCatalogue)
        if (model.deviceId == deviceId) return &model;
    return nullptr;
}
// The model name ("QK750"), or "" for an unknown id.
constexpr std::string_view ModelName(std::uint8_t deviceId) {
    const ModelInfo* model = FindModel(deviceId);
    return model ? model->model : "";
}

// The range of the catalogue's device ids, as messages name it: "0xD0-0xDB".
inline std::string KnownDeviceIdRange() {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X-0x%02X", kCatalogue.front().deviceId, kCatalogue.back().deviceId);
    return text;
}
// Why an id is no model's: "device id 0xE0 is no QK74x_75x model (0xD0-0xDB)".
inline std::string UnknownModelText(std::uint8_t deviceId) {
    char id[8];
    std::snprintf(id, sizeof id, "0x%02X", deviceId);
    return std::string("device id ") + id + " is no QK74x_75x model (" + KnownDeviceIdRange() + ")";
}

// Small package (P0.0-P0.5): device ids 0xD0-0xD5.  Large (P0.0-P1.7): 0xD6-0xDB.
constexpr bool IsSmallPackage(std::uint8_t deviceId) { return deviceId >= 0xD0 && deviceId <= 0xD5; }
constexpr bool IsLargePackage(std::uint8_t deviceId) { return deviceId >= 0xD6 && deviceId <= 0xDB; }
// Port pins of the package: 6 on the small package, 16 on the large one (and
// on any id that is not a small-package id).
constexpr int PinCount(std::uint8_t deviceId) { return IsSmallPackage(deviceId) ? 6 : 16; }
// Models with an odd device id have no LIN interrupt.
constexpr bool HasLinInterrupt(std::uint8_t deviceId) { return (deviceId & 1) == 0; }

}  // namespace regsmith
