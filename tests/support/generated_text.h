#pragma once
// Pieces of the generated initialisation files, for tests that spell out the
// routines they care about and share the lines every file has around them.

#include <string>
#include <vector>

namespace regsmith::testing {

// Everything of a C file before its first routine.
inline const std::string kCHead =
    "/////////////////////////////////////\r\n"
    "//  Generated Initialization File  //\r\n"
    "/////////////////////////////////////\r\n"
    "\r\n"
    "#include \"QK740.h\"\r\n"
    "\r\n"
    "// Peripheral specific initialization functions,\r\n"
    "// Called from the Init_Device() function\r\n";

// Everything of an assembly file before its first routine.
inline const std::string kAsmHead =
    ";------------------------------------\r\n"
    ";-  Generated Initialization File  --\r\n"
    ";------------------------------------\r\n"
    "\r\n"
    "$include (QK740.inc)\r\n"
    "\r\n"
    "public  Init_Device\r\n"
    "\r\n"
    "INIT SEGMENT CODE\r\n"
    "    rseg INIT\r\n"
    "\r\n"
    "; Peripheral specific initialization functions,\r\n"
    "; Called from the Init_Device label\r\n";

// The end of a C file after its last routine: Init_Device calling `routines`
// in order.
std::string CTail(const std::vector<std::string>& routines);
// The same for an assembly file, up to its closing "end".
std::string AsmTail(const std::vector<std::string>& routines);

// The routine `name` of a generated text, C or assembly, from its first line
// to its closing brace or ret; "" if the text has none.
std::string Routine(const std::string& text, const std::string& name, bool assembly);

}  // namespace regsmith::testing
