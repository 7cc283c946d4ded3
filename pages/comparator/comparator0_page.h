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

class CComparator0PropPage : public CDevicePropPage {
public:
    explicit CComparator0PropPage(SheetContext& sheet);

private:
    void ResetPage() override;
    // The settling wait: set while the comparator is enabled, empty otherwise.
    void SetSettlingWait(bool enabled);

};

}  // namespace regsmith
