#include "pages/pca/pca_page.h"

#include "model/clock_rates.h"
#include "pages/pca/watchdog.h"
#include "view/sheet_commands.h"

namespace regsmith {

CPcaPage::CPcaPage(std::string title, SheetContext& sheet) : CDevicePropPage(std::move(title), sheet, kBlockPca) {
    // The first update of every load and every action, so the summary box
    // and the generated code follow the registers whatever page is active.
    BindUpdate([this] { pca::ApplyWatchdogEmissionRule(Block()); });
}

pca::PcaClocks CPcaPage::Clocks() const {
    return pca::PcaClocksOf(Sheet().Clocks(), Copy(kBlockTimers));
}

std::uint32_t CPcaPage::PcaFrequency() const { return pca::PcaClockFrequency(Value(reg::PCA0MD), Clocks()); }

void CPcaPage::ResetPage() { pca::ResetPcaBlock(Block()); }

}  // namespace regsmith
