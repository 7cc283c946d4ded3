// The initialisation code generator: a pure function of the device name, the
// code format and the block map.

#include "codegen/generator.h"

#include "model/device_document.h"
#include "model/register_tables.h"

namespace regsmith {

namespace {

constexpr std::size_t kNameColumn = 10;

void AppendHex(std::string& out, std::uint8_t value) {
    static const char digits[] = "0123456789ABCDEF";
    out.push_back(digits[value >> 4]);
    out.push_back(digits[value & 0x0F]);
}

void AppendAlignment(std::string& out, const std::string& name) {
    if (name.size() < kNameColumn) out.append(kNameColumn - name.size(), ' ');
}

// Drops `head` characters from the front and `tail` from the back; empty if
// the text is too short (a damaged head text from a file must not crash).
std::string Middle(const std::string& text, std::size_t head, std::size_t tail) {
    if (text.size() < head + tail) return {};
    return text.substr(head, text.size() - head - tail);
}

// The wait loops of the pages count with a variable `i` that the routine's
// prologue declares.  A routine can emit such a loop without the declaration
// (the VDD monitor's wait follows VDM0CN whenever VDM0CN differs from its
// reset value, while the declaration goes with the monitor's enable; older
// projects hold the same mismatch), and that C does not compile.

bool IsIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Whether `text` holds `word` followed by something that ends the name `i`.
bool HasNameI(const std::string& text, const char* word) {
    const std::string pattern = word;
    for (std::size_t at = text.find(pattern); at != std::string::npos; at = text.find(pattern, at + 1)) {
        const std::size_t end = at + pattern.size();
        if (at > 0 && IsIdentifierChar(text[at - 1])) continue;
        if (end < text.size() && IsIdentifierChar(text[end])) continue;
        return true;
    }
    return false;
}

}  // namespace

bool UsesLoopCounter(const std::string& cText) { return HasNameI(cText, "for (i"); }

bool DeclaresLoopCounter(const std::string& cText) { return HasNameI(cText, "int i"); }

void AppendRegisterLine(std::string& out, const RegisterEntry& entry, bool assembly) {
    if (assembly) {
        out += entry.orMode ? "    orl  " : "    mov  ";
        out += entry.name;
        out += ',';
        AppendAlignment(out, entry.name);
        out += "#0";
        AppendHex(out, entry.value);
        out += 'h';
    } else {
        out += "    ";
        out += entry.name;
        AppendAlignment(out, entry.name);
        out += entry.orMode ? "|= 0x" : "= 0x";
        AppendHex(out, entry.value);
        out += ';';
    }
}

std::string CallName(const PeripheralBlock& block) { return Middle(block.cHeader, 5, 3); }

std::string AsmLabel(const PeripheralBlock& block) { return Middle(block.asmHeader, 0, 3); }

bool AppendBlockBody(std::string& out, const PeripheralBlock& block, bool assembly) {
    bool emitted = false;
    for (const RegisterEntry& entry : block.registers) {
        if (!entry.IsEmitted()) continue;
        out += assembly ? entry.asmBefore : entry.cBefore;
        AppendRegisterLine(out, entry, assembly);
        out += "\r\n";
        out += assembly ? entry.asmAfter : entry.cAfter;
        emitted = true;
    }
    return emitted;
}

std::string GenerateCode(const CDeviceData& data) {
    std::string text;
    GenerateCode(data, text);
    return text;
}

std::string GenerateCode(const CDeviceDocument& document) { return GenerateCode(document.deviceData); }

void GenerateCode(const CDeviceData& data, std::string& text) {
    const bool assembly = data.IsAssembly();
    const std::string& deviceName = data.deviceName;
    text.clear();
    text.reserve(4096);

    std::string& header = text;
    if (assembly) {
        header += ";------------------------------------\r\n";
        header += ";-  Generated Initialization File  --\r\n";
        header += ";------------------------------------\r\n";
        header += "\r\n";
        header += "$include (" + deviceName + ".inc)\r\n";
        header += "\r\n";
        header += "public  Init_Device\r\n\r\nINIT SEGMENT CODE\r\n    rseg INIT\r\n\r\n";
    } else {
        header += "/////////////////////////////////////\r\n";
        header += "//  Generated Initialization File  //\r\n";
        header += "/////////////////////////////////////\r\n";
        header += "\r\n";
        header += "#include \"" + deviceName + ".h\"\r\n";
        header += "\r\n";
    }

    std::string mainRoutine = assembly ? "; Initialization function for device,\r\n"
                                         "; Call Init_Device from your main program\r\n"
                                         "Init_Device:\r\n"
                                       : "// Initialization function for device,\r\n"
                                         "// Call Init_Device() from your main program\r\n"
                                         "void Init_Device(void)\r\n"
                                         "{\r\n";
    std::string routines;
    bool anyRoutine = false;
    std::string blockText;
    std::string body;

    for (const auto& [number, block] : data.blockMap) {
        (void)number;
        body.clear();
        if (!AppendBlockBody(body, block, assembly)) continue;
        blockText.clear();
        if (assembly) {
            blockText += block.asmHeader;
            blockText += block.asmPrologue;
        } else {
            blockText += block.cHeader;
            blockText += "\r\n";
            // A loop counting with `i` needs its declaration, once.
            if (UsesLoopCounter(body) && !DeclaresLoopCounter(block.cPrologue)) blockText += kLoopCounterDeclarationC;
            blockText += block.cPrologue;
        }
        blockText += body;
        anyRoutine = true;
        if (assembly) {
            mainRoutine += "    lcall " + AsmLabel(block) + "\r\n";
            blockText += block.asmFooter;
        } else {
            mainRoutine += "    " + CallName(block) + ";\r\n";
            blockText += block.cFooter;
        }
        blockText += "\r\n\r\n";
        routines += blockText;
    }

    mainRoutine += assembly ? "    ret\r\n\r\nend\r\n" : "}\r\n";

    if (anyRoutine) {
        text += assembly ? "; Peripheral specific initialization functions,\r\n"
                           "; Called from the Init_Device label\r\n"
                         : "// Peripheral specific initialization functions,\r\n"
                           "// Called from the Init_Device() function\r\n";
        text += routines;
        text += mainRoutine;
    } else {
        text += mainRoutine;
        text += "\r\n";
        text += assembly ? "; Empty configuration\r\n\r\n"
                           "; Open the \"Peripherals\" menu and\r\n"
                           "; choose a peripheral to configure.\r\n"
                         : "// Empty configuration\r\n\r\n"
                           "// Open the \"Peripherals\" menu and\r\n"
                           "// choose a peripheral to configure.\r\n";
    }
}

}  // namespace regsmith
