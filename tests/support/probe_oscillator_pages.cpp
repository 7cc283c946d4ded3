#include "tests/support/probe_oscillator_pages.h"

#include <memory>

#include "model/register_tables.h"
#include "view/command_ids.h"
#include "view/device_page.h"
#include "view/sheet_commands.h"

namespace regsmith::testing {
namespace {

class ProbeOscillatorPage : public CDevicePropPage {
public:
    ProbeOscillatorPage(SheetContext& sheet, const std::string& title) : CDevicePropPage(title, sheet, kBlockOscillators) {
        auto& field = Root().Add<fw::EditField>("New SYSCLK");
        field.onChange = [&sheet, &field] { sheet.Clocks().sysclk = static_cast<std::uint32_t>(std::stoul(field.Text())); };
        AddButton(Root(), "Set Clocks", [&sheet] {
            sheet.Clocks().sysclk = 24500000;
            sheet.Clocks().externalOscFrequency = 32768;
        });
        AddButton(Root(), "Set Slow Clocks", [&sheet] {
            sheet.Clocks().sysclk = 1000;
            sheet.Clocks().externalOscFrequency = 8;
        });
        auto& oscicn = Root().Add<fw::CheckBox>("Set OSCICN");
        oscicn.onChange = [this] { SetValue(reg::OSCICN, 0x83); };
    }
};

}  // namespace

void RegisterProbeOscillatorPages(std::map<std::string, int>* built) {
    std::vector<PageRegistration> probes;
    for (const char* title : {"Internal Oscillator", "External Oscillator", "SYSCLK Select"})
        probes.push_back({title, [title, built](SheetContext& sheet) -> std::unique_ptr<fw::PropertyPage> {
                              if (built) ++(*built)[title];
                              return std::make_unique<ProbeOscillatorPage>(sheet, title);
                          }});
    RegisterSheetPages(ID_PERIPHERALS_OSCILLATORS, std::move(probes));
}

}  // namespace regsmith::testing
