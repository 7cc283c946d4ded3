#pragma once
// The initialisation code generator, and the writer of a block's register
// lines that it shares with the pages' register summary box.

#include <string>

#include "model/device_data.h"

namespace regsmith {

class CDeviceDocument;

// The complete initialisation source of a block map in its code format:
// a pure function, rebuilt from scratch on every call.  The first form
// fills `text` (reusing its memory).
void GenerateCode(const CDeviceData& data, std::string& text);
std::string GenerateCode(const CDeviceData& data);
std::string GenerateCode(const CDeviceDocument& document);

// A block's body: every emitted register line (C or assembly) with the texts
// before and after it, each line ended by CR LF.  Returns whether any line
// was written.
bool AppendBlockBody(std::string& out, const PeripheralBlock& block, bool assembly);

// "    SCON0     = 0x10;" (C) or "    mov  SCON0,     #010h" (assembly),
// without a line end.  Names of ten or more characters get no alignment blanks.
void AppendRegisterLine(std::string& out, const RegisterEntry& entry, bool assembly);

// The C routine name and assembly label derived from a block's head texts
// ("void UART_Init()\r\n{" -> "UART_Init()", "UART_Init:\r\n" -> "UART_Init").
std::string CallName(const PeripheralBlock& block);
std::string AsmLabel(const PeripheralBlock& block);

// Whether C text holds a wait loop counting with `i` ("for (i = 0; ...").
bool UsesLoopCounter(const std::string& cText);
// Whether C text declares `i` ("int i = 0;").  A routine whose lines use the
// loop counter and whose prologue does not declare it gets "    int i = 0;"
// before its prologue.
bool DeclaresLoopCounter(const std::string& cText);

}  // namespace regsmith
