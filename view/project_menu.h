#pragma once
// The menu of a project window, the same for all twelve models.  The
// Peripherals popup is built from the table of sheet commands, so each menu
// text stands in one place.

#include "fw/commands.h"

namespace regsmith {

fw::MenuResource ProjectMenu();

}  // namespace regsmith
