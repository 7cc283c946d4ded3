// Fuzzes the project-file reader: any bytes must either be refused with a
// ProjectFileError/ArchiveError or give a document that generates in both
// formats, dumps, and survives a write and a second read unchanged.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "codegen/generator.h"
#include "fw/archive.h"
#include "model/k74x_75x_doc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using regsmith::CK74x_75xDoc;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CK74x_75xDoc document(0xD0);
    // Read as dump and diff read: also a project of an unknown model.
    document.SetOpenedForInspection();
    try {
        fw::CArchive in(bytes);
        document.Serialize(in);
    } catch (const fw::ArchiveError&) {
        // A refused file must leave nothing of itself but the header fields.
        if (!document.deviceData.blockMap.empty() || !(document.clocks == regsmith::kDefaultClockSettings)) std::abort();
        return 0;
    }

    std::string text;
    GenerateCode(document.deviceData, text);
    document.deviceData.codeFormat = document.deviceData.IsAssembly() ? 0 : 1;
    GenerateCode(document.deviceData, text);
    document.deviceData.codeFormat = document.deviceData.IsAssembly() ? 0 : 1;
    std::ostringstream dump;
    document.Dump(dump, false);
    document.Dump(dump, true);

    fw::CArchive out;
    document.Serialize(out);
    const std::string written = out.TakeBuffer();
    CK74x_75xDoc again(0xD1);
    again.SetOpenedForInspection();
    try {
        fw::CArchive in(written);
        again.Serialize(in);
    } catch (const fw::ArchiveError&) {
        std::abort();  // the writer produced something its own reader refuses
    }
    if (again.deviceId != document.deviceId || !(again.clocks == document.clocks) ||
        again.deviceData.deviceName != document.deviceData.deviceName ||
        again.deviceData.codeFormat != document.deviceData.codeFormat ||
        again.deviceData.blockMap != document.deviceData.blockMap)
        std::abort();
    return 0;
}
