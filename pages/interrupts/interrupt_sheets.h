#pragma once
// The "Interrupts" sheet of the Peripherals menu and the nested "Interrupts"
// sheets that other pages open from their "Configure ... Interrupts" and
// "Configure /INTn Ports" buttons.

#include "fw/platform.h"

namespace regsmith {

class SheetContext;

// Registers the three interrupt pages for the "Interrupts" command (block 13
// copied out and written back on OK) and by their tab titles for nested
// sheets.  Called once from the plug-in's initialisation.
void RegisterInterruptPages();

// A nested "Interrupts" sheet with "Enable Interrupts" and "Interrupt
// Priority" on the interrupts copy of `context` (block 13, copied out of the
// document if the context has none yet).  On OK that copy is written into
// the document as block 13 at once; the caller then refreshes its interrupt
// status.  On Cancel the copy is given back as it was before the sheet, so
// no cancelled edit lingers in it.  For a fresh copy instead of the caller's, pass a nested context:
//   SheetContext fresh(context_); fresh.CopyOut(kBlockInterrupts);
fw::DialogResult RunInterruptsNestedSheet(SheetContext& context);

// The same with the "INT0/INT1 Configuration" page alone (the timer pages'
// "Configure /INT0 Ports" and "Configure /INT1 Ports").
fw::DialogResult RunInt01ConfigNestedSheet(SheetContext& context);

}  // namespace regsmith
