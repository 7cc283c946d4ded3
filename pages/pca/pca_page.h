#pragma once
// What the four pages of the "Programmable Counter Array" sheet share: the
// PCA block copy as their own block, the watchdog emission rule applied after
// every change and on every activation, the sheet's Reset of the whole block,
// and the clocks the time bases run on.

#include <cstdint>
#include <string>

#include "pages/pca/pca_calculators.h"
#include "view/device_page.h"

namespace regsmith {


class CPcaPage : public CDevicePropPage {
public:
    CPcaPage(std::string title, SheetContext& sheet);

    // SYSCLK, the external oscillator and the ECI word from the document,
    // the timer 0 overflow rate from the run's timers copy.
    pca::PcaClocks Clocks() const;
    // The PCA counter's clock for the current time base.
    std::uint32_t PcaFrequency() const;

protected:
    void ResetPage() override;
};

}  // namespace regsmith
