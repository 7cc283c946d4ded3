#include "tests/support/generated_text.h"

namespace regsmith::testing {

std::string CTail(const std::vector<std::string>& routines) {
    std::string tail =
        "\r\n"
        "// Initialization function for device,\r\n"
        "// Call Init_Device() from your main program\r\n"
        "void Init_Device(void)\r\n"
        "{\r\n";
    for (const std::string& routine : routines) tail += "    " + routine + "();\r\n";
    return tail + "}\r\n";
}

std::string AsmTail(const std::vector<std::string>& routines) {
    std::string tail =
        "\r\n"
        "; Initialization function for device,\r\n"
        "; Call Init_Device from your main program\r\n"
        "Init_Device:\r\n";
    for (const std::string& routine : routines) tail += "    lcall " + routine + "\r\n";
    return tail +
           "    ret\r\n"
           "\r\n"
           "end\r\n";
}

std::string Routine(const std::string& text, const std::string& name, bool assembly) {
    const std::string head = assembly ? name + ":\r\n" : "void " + name + "()\r\n";
    const std::string foot = assembly ? "    ret\r\n" : "}\r\n";
    const std::size_t start = text.find(head);
    if (start == std::string::npos) return {};
    return text.substr(start, text.find(foot, start) + foot.size() - start);
}

}  // namespace regsmith::testing
