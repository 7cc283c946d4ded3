#pragma once
// Project file (.rsg) reading and writing: the current layout (format major 1,
// version 81) and the older generations A to D with their conversions.

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/archive.h"
#include "model/device_data.h"

namespace regsmith {

// The format stamped on every file written.
inline constexpr std::int32_t kFileFormatMajor = 1;
inline constexpr std::int32_t kFileFormatVersion = 81;

// Upper bounds on the counts a file may give.  A project has at most 14
// distinct blocks (0-13), but a file may repeat a number (the first one read
// stays), so block records are bounded generously; a block never holds more
// registers than the 8051's special-function register space (128), so 256
// entries is far above anything real and still cheap to read.
inline constexpr std::int32_t kMaxBlockRecords = 256;
inline constexpr std::int32_t kMaxRegisterEntries = 256;

// The one message shown for a file written by a newer release.
inline constexpr const char* kUnsupportedVersionMessage = "Error: This file is not supported under this DLL version";

// A project file the reader cannot use; what() names the cause.
class ProjectFileError : public fw::ArchiveError {
public:
    using fw::ArchiveError::ArchiveError;
};

// A file stamped with a format newer than 1/81.
class UnsupportedVersionError : public ProjectFileError {
public:
    UnsupportedVersionError(std::int32_t major, std::int32_t version);
    std::int32_t major;
    std::int32_t version;
};

// A file that is plainly not a project: a text file, random bytes, a first
// byte that is no model's device id or format numbers no release could have
// written.  cause() says which.
class NotAProjectFileError : public ProjectFileError {
public:
    explicit NotAProjectFileError(const std::string& cause);
    const std::string& Cause() const { return cause_; }

private:
    std::string cause_;
};

// A complete project whose device id is no model of the catalogue (a damaged
// copy, a hand-edited file, a model of a later release).  It is read only to
// be looked at (dump, diff); opening it for editing is refused, since the
// pages could only configure it for a chip that does not exist.
class UnknownModelError : public ProjectFileError {
public:
    explicit UnknownModelError(std::uint8_t deviceId);
    std::uint8_t deviceId;
};

// Format numbers beyond these were never written by any release, nor will
// be: a file stamped with them is not a project of a newer release.
inline constexpr std::int32_t kMaxPlausibleMajor = 99;
inline constexpr std::int32_t kMaxPlausibleVersion = 9999;

// Why a header of a refused file shows that it is no project at all, or ""
// when it looks like a project (of this or a newer release).
std::string NotAProjectCause(std::uint8_t deviceId, std::int32_t major, std::int32_t version, bool numbersRead);

// Whether a file starting with these bytes holds a project, of this release
// or a newer one: a model's device id and plausible format numbers.  Used to
// refuse writing anything else over a project.
bool LooksLikeProjectFile(std::string_view firstBytes);

// Whether the regular file at `path` (links followed) holds a project.
bool FileHoldsProject(const std::string& path);

// Which reader a format major and version select.
enum class FileGeneration {
    A,                // version 2 or less
    B,                // version 3
    C,                // versions 4-39
    D,                // version 40
    CurrentAdjusted,  // versions 41-72: current layout plus a device-family adjustment
    Current,          // versions 73-81, or any accepted version with a major other than 1
    Unsupported,      // major above 1 or version above 81
};
FileGeneration GenerationOf(std::int32_t major, std::int32_t version);

// Block numbers of the two oldest generations, translated to today's.
std::int32_t TranslateNumberingA(std::int32_t oldNumber);
std::int32_t TranslateNumberingB(std::int32_t oldNumber);

// Generation A stored no assembly texts; these build them from the C texts.
// The routine label from the C head ("void UART_Init()" CR LF "{" gives
// "UART_Init:" CR LF).
std::string AssemblyHeadFromCHead(const std::string& cHeader);
// Fills asmBefore/asmAfter of an entry read from a generation A file from its
// C texts, rewriting the old watchdog fragments of PCA0MD to today's form.
void BuildGenerationAAssemblyTexts(RegisterEntry& entry);

}  // namespace regsmith
