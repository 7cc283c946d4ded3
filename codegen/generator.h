#pragma once
// Formatting of register lines, shared by the generator and the pages'
// register summary box.

#include <string>

#include "model/device_data.h"

namespace regsmith {

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
