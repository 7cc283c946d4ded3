#pragma once
// "Comparator0": enable (with the settling wait it puts into the generated
// code), hysteresis, response time, high-speed mode, edge interrupts and the
// input multiplexer, with the pin checks, the crossbar and interrupt states
// and their nested sheets.  The "Reset Sources" page opens this page in its
// nested "Comparator" sheet.

#include <array>
#include <vector>

#include "pages/comparator/comparator_inputs.h"
#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kComparator0PageTitle = "Comparator0";

// What enabling the comparator puts after CPT0CN (the routine's prologue then
// declares the loop counter): a wait for it to settle, then its two edge
// flags cleared.
inline constexpr const char* kComparatorWaitC =
    "    for (i = 0; i < 35; i++);  // Wait 10us for initialization\r\n"
    "    CPT0CN    &= ~0x30;\r\n";
inline constexpr const char* kComparatorWaitAsm =
    "    clr  A                     ; Wait 10us for initialization\r\n"
    "    djnz ACC, $\r\n"
    "    anl  CPT0CN,    #0CFh\r\n";

class CComparator0PropPage : public CDevicePropPage {
public:
    explicit CComparator0PropPage(SheetContext& sheet);

private:
    void ResetPage() override;
    // The settling wait: set while the comparator is enabled, empty otherwise.
    void SetSettlingWait(bool enabled);

};

}  // namespace regsmith
