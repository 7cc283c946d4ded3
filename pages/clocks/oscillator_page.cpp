#include "pages/clocks/oscillator_page.h"

#include "pages/clocks/sysclk_rules.h"
#include "view/messages.h"
#include "view/sheet_commands.h"

namespace regsmith {

using namespace clocks;

COscillatorPage::COscillatorPage(std::string title, SheetContext& sheet)
    : CDevicePropPage(std::move(title), sheet, kBlockOscillators),
      internalOscFrequency_(sheet.Clocks().internalOscFrequency) {}

ClockSettings& COscillatorPage::Clocks() const { return Sheet().Clocks(); }

bool COscillatorPage::ExternalIsSysclk() const { return TestBits(field::CLKSEL_CLKSL); }

std::uint32_t COscillatorPage::ComputedSysclk() const {
    return Sysclk(Value(reg::OSCXCN), Value(reg::OSCICN), Value(reg::CLKSEL), internalOscFrequency_,
                  Clocks().externalOscFrequency);
}

void COscillatorPage::ResetPage() {
    ResetRegisters();
    Clocks().sysclk = kResetSysclk;
    Clocks().externalOscFrequency = 0;
}

void COscillatorPage::OnOK() {
    if (fw::PropertySheet* sheet = fw::PropertyPage::Sheet()) {
        for (int index = 0; index < sheet->PageCount(); ++index) {
            fw::PropertyPage& page = sheet->Page(index);
            if (page.IsInitialised() && dynamic_cast<COscillatorPage*>(&page)) {
                if (&page != this) return;
                break;
            }
        }
    }
    if (!ExternalIsSysclk() || ExternalSysclk(Clocks().externalOscFrequency, Value(reg::OSCXCN)) != 0) return;
    ShowMessage(kInvalidSysclkMessage, fw::MessageIcon::Question, fw::MessageButtons::Ok);
}

}  // namespace regsmith
