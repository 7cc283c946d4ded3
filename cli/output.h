#pragma once
// Text helpers shared by the commands and the script interpreter.  Inline:
// the interpreter is also built on its own, into the tests and a fuzzer.

#include <cstdio>
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

// A file name as a message shows it: unchanged, or, when it holds a control
// character (a line break), in double quotes with that character, quotes and
// backslashes escaped (\n, \t, \xNN), so that every message stays one line.
inline std::string ShownName(const std::string& name) {
    bool plain = true;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) plain = false;
    if (plain) return name;
    std::string shown = "\"";
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') shown += "\\n";
        else if (c == '\r') shown += "\\r";
        else if (c == '\t') shown += "\\t";
        else if (c == '"' || c == '\\') shown += std::string("\\") + c;
        else if (byte < 0x20 || byte == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else shown.push_back(c);
    }
    return shown + "\"";
}

}  // namespace regsmith::cli
