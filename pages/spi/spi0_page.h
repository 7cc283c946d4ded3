#pragma once
// "SPI0": master or slave, clock phase and polarity, the wire mode and the
// NSS level, the SPI enable and the SCK divider with its calculator, and the
// interrupt and crossbar status with their nested sheets.  The wire mode may
// change between three and four wires only while SPI0 is off the crossbar.

#include <array>

#include "pages/spi/wire_mode.h"
#include "view/device_page.h"

namespace regsmith {

inline constexpr const char* kSpi0PageTitle = "SPI0";

class CSpi0PropPage : public CDevicePropPage {
public:
    explicit CSpi0PropPage(SheetContext& sheet);

private:
    void AfterLoad() override;
    void ShowWireMode();
    void OnModeClicked();
    void OnWireModeClicked(spi::WireMode clicked);
    void OnChangeSck();
    void AfterPortIOAccepted();
    bool OnCrossbar() const;

    fw::RadioButton* master_ = nullptr;
    std::array<fw::RadioButton*, 3> wireModes_{};
    fw::CheckBox* nssLevel_ = nullptr;
};

}  // namespace regsmith
