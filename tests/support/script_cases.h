#pragma once
// The script cases of tests/scripts (see its README): where they are, the
// test name of each, and the files beside a case's script.  Used by the
// driver that runs them and by the compile check of their C texts.

#include <filesystem>
#include <string>
#include <vector>

namespace regsmith::testing {

// The folder tests/scripts.
const std::filesystem::path& ScriptCasesFolder();

// Every <case>.txt under it, sorted.
std::vector<std::filesystem::path> ScriptCaseFiles();

// The test name of a case: its path under tests/scripts without ".txt", with
// every character a test filter treats specially turned into '_'
// ("interrupts/int0-pin.txt" -> "interrupts/int0_pin").
std::string ScriptCaseName(const std::filesystem::path& script);

// A file beside the case's script: Sibling(script, ".expected"), ".files".
std::filesystem::path CaseSibling(const std::filesystem::path& script, const std::string& suffix);

// The files a case compares the program's output with: <case>.expected when
// there is one, then every <case>.files/NAME, sorted.
std::vector<std::filesystem::path> CaseOutputs(const std::filesystem::path& script);

}  // namespace regsmith::testing
