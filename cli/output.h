#pragma once
// Text helpers shared by the commands and the script interpreter.  Inline:
// the interpreter is also built on its own, into the tests and a fuzzer.

#include <cstring>
#include <string>

namespace regsmith::cli {

// `text` with every CR LF pair as a lone LF (a CR on its own stays).
inline std::string WithLineFeedsOnly(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result.push_back(text[i]);
    return result;
}

// The report of a failed write to standard output; `cause` is the errno
// value, 0 when none was set.
inline std::string StandardOutputFailure(int cause) {
    return std::string("cannot write to standard output: ") + (cause ? std::strerror(cause) : "write error");
}

}  // namespace regsmith::cli
