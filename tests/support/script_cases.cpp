#include "tests/support/script_cases.h"

#include <algorithm>
#include <cctype>

namespace regsmith::testing {

namespace fs = std::filesystem;

const fs::path& ScriptCasesFolder() {
    static const fs::path folder = REGSMITH_SCRIPT_CASES;
    return folder;
}

std::vector<fs::path> ScriptCaseFiles() {
    std::vector<fs::path> cases;
    std::error_code error;
    for (fs::recursive_directory_iterator it(ScriptCasesFolder(), error), end; !error && it != end;
         it.increment(error))
        if (it->is_regular_file() && it->path().extension() == ".txt") cases.push_back(it->path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string ScriptCaseName(const fs::path& script) {
    std::string name = script.lexically_relative(ScriptCasesFolder()).replace_extension().generic_string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '/') c = '_';
    return name;
}

fs::path CaseSibling(const fs::path& script, const std::string& suffix) {
    fs::path sibling = script;
    return sibling.replace_extension(suffix);
}

std::vector<fs::path> CaseOutputs(const fs::path& script) {
    std::vector<fs::path> outputs;
    const fs::path expected = CaseSibling(script, ".expected");
    if (fs::is_regular_file(expected)) outputs.push_back(expected);
    std::vector<fs::path> files;
    std::error_code none;
    for (const fs::directory_entry& entry : fs::directory_iterator(CaseSibling(script, ".files"), none))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    outputs.insert(outputs.end(), files.begin(), files.end());
    return outputs;
}

}  // namespace regsmith::testing
