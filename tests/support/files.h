#pragma once
// Whole-file reads and writes for tests that compare file bytes.

#include <filesystem>
#include <string>

namespace regsmith::testing {

// The whole contents of a file, or "" if it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// Replaces the file at `path` with `bytes`; throws when it cannot.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace regsmith::testing
