// regsmith-cli script: runs a script file or standard input through the
// script interpreter with the loaded plug-ins.

#include <cstdio>
#include <fstream>
#include <iostream>

#include "cli/commands.h"
#include "cli/script.h"

namespace regsmith::cli {

int Session::RunScript(const std::string& input) {
    std::ifstream file;
    std::istream* in = &std::cin;
    if (!input.empty() && input != "-") {
        file.open(input, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "regsmith-cli: cannot read the script %s\n", input.c_str());
            return 1;
        }
        in = &file;
    }
    ScriptRunner runner(app_, *in, std::cout);
    try {
        runner.Run();
    } catch (const ScriptError& error) {
        std::cout.flush();
        std::fprintf(stderr, "line %d: %s\n", error.line, error.reason.c_str());
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

}  // namespace regsmith::cli
