// regsmith-cli script: runs a script file or standard input through the
// script interpreter with the loaded plug-ins.

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>

#include "cli/commands.h"
#include "cli/output.h"
#include "cli/script.h"

namespace regsmith::cli {

int Session::RunScript(const std::string& input) {
    std::ifstream file;
    std::istream* in = &std::cin;
    struct stat info;
    if (input.empty() || input == "-") {
        if (::fstat(0, &info) == 0 && S_ISDIR(info.st_mode))
            return Fail("cannot read the script from standard input: it is a folder");
    } else {
        if (::stat(input.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return Fail("cannot read the script " + input + ": it is a folder");
        file.open(input, std::ios::binary);
        if (!file) return Fail("cannot read the script " + input + ": " + std::strerror(errno));
        in = &file;
    }
    ScriptRunner runner(app_, *in, std::cout);
    try {
        runner.Run();
    } catch (const ScriptError& error) {
        std::cout.flush();
        std::fprintf(stderr, "line %d: %s\n", error.line, error.reason.c_str());
        return kExitFailure;
    }
    errno = 0;
    std::cout.flush();
    if (!std::cout) return Fail(StandardOutputFailure(errno));
    return kExitSuccess;
}

}  // namespace regsmith::cli
