#include "pages/adc/adc0_page.h"

#include <string>

#include "pages/adc/calculate_sar_dialog.h"
#include "pages/adc/sar_calculator.h"
#include "view/messages.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

// ADC0CF bits 7-3.
const RegisterField& kAd0sc = field::ADC0CF_AD0SC;

}  // namespace

CAdc0PropPage::CAdc0PropPage(SheetContext& sheet) : CDevicePropPage(kAdc0PageTitle, sheet, kBlockAdc) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    auto& enable = left.Add<fw::GroupBox>("ADC Enable");
    BindCheck(enable, field::ADC0CN_AD0EN);
    BindCheck(enable, field::ADC0CN_BURSTEN);
    BindList(enable, "Burst Power Up Time:", field::ADC0TK_AD0PWR);

    auto& start = left.Add<fw::GroupBox>("Start of Conversion Mode");
    BindRadios(start, field::ADC0CN_AD0CM);
    BindStatus(start, [this] { return CnvstrStatus(DeviceId(), Value(reg::ADC0CN), Copy(kBlockPortIO)); });

    auto& tracking = left.Add<fw::GroupBox>("Tracking Mode");
    BindRadios(tracking, field::ADC0TK_AD0TM);
    BindList(tracking, "Post-Tracking time is equal to:", field::ADC0TK_AD0TK).widthChars = 22;
    tracking.Add<fw::StaticText>("+ 2FCLK cycles").alignment = fw::Control::AlignRight;

    BindList(left.Add<fw::GroupBox>("Repeat Count"), "", field::ADC0CF_AD0RPT);

    BindCheck(left.Add<fw::GroupBox>("Justification"), field::ADC0CN_AD0LJST);

    // The inputs of the package; bits 7-5 of ADC0MX are kept.
    auto& mux = right.Add<fw::GroupBox>("ADC MUX Selection");
    BindInputList(mux, "Input Channel:", field::ADC0MX_AMX0P, AdcInputs(DeviceId()), "");
    AddNestedSheetButton(mux, "Configure Port I/O", NestedSheet::PortIO);

    auto& window = right.Add<fw::GroupBox>("Window Detector", fw::Container::Layout::Grid);
    window.AddAt<fw::StaticText>(0, 1, "High  :  Low").columnSpan = 2;
    const struct {
        const char* label;
        const char* high;
        int highEntry;
        const char* low;
        int lowEntry;
    } limits[] = {{"Greater Than:", "Greater Than High", reg::ADC0GTH, "Greater Than Low", reg::ADC0GTL},
                  {"Less Than:", "Less Than High", reg::ADC0LTH, "Less Than Low", reg::ADC0LTL}};
    for (int row = 0; row < 2; ++row) {
        window.AddAt<fw::StaticText>(row + 1, 0, limits[row].label);
        fw::EditField& high = BindHex(window, "", limits[row].highEntry);
        high.SetName(limits[row].high);
        high.gridRow = row + 1;
        high.gridColumn = 1;
        fw::EditField& low = BindHex(window, "", limits[row].lowEntry);
        low.SetName(limits[row].low);
        low.gridRow = row + 1;
        low.gridColumn = 2;
    }

    auto& sar = right.Add<fw::GroupBox>("SAR Conversion Clock");
    auto& clock = sar.AddRow();
    BindDisplay(clock, "", [this] {
        return std::to_string(SarClock(Sheet().Clocks().sysclk, Bits(kAd0sc) >> FieldShift(kAd0sc.mask)));
    }).widthChars = 10;
    clock.Add<fw::StaticText>("Hz");
    AddButton(sar, "Change SAR", [this] { ChangeSar(); });
    ad0sc_ = &BindHex(sar, "AD0SC Value (Hex)", kAd0sc, [this](std::uint8_t value) { StoreAd0sc(value); });

    auto& reference = right.Add<fw::GroupBox>("Reference Control");
    BindStatus(reference, [this] {
        return TestBits(Copy(kBlockVoltageReference), field::REF0CN_BIASE)
                   ? "Internal Bias Generator is On, Configured Properly"
                   : "Internal Bias Generator is Off, NOT Configured Properly";
    });
    BindStatus(reference, [this] {
        return TestBits(Copy(kBlockVoltageReference), field::REF0CN_REFBE) ? "Internal Reference Buffer is On"
                                                                           : "Internal Reference Buffer is Off";
    });
    AddNestedSheetButton(reference, "Configure Reference Control", NestedSheet::VoltageReference);

    auto& interrupts = right.Add<fw::GroupBox>("ADC Interrupt");
    BindInterruptStatus(interrupts, "ADC0", field::EIE1_EADC0);
    BindInterruptStatus(interrupts, "ADC0 Window", field::EIE1_EWADC0);
    AddNestedSheetButton(interrupts, "Configure ADC Interrupts", NestedSheet::Interrupts);

    AddSummaryBox(Root());
}

void CAdc0PropPage::StoreAd0sc(std::uint8_t value) {
    const int shift = FieldShift(kAd0sc.mask);
    if (value > kMaxAd0sc) {
        ReplaceBits(kAd0sc, kAd0sc.mask);
        ad0sc_->SetText(FieldHex(kAd0sc.entry, kAd0sc.mask, shift));
        Warn(kAd0scTooLargeWarning);
        return;
    }
    ReplaceBits(kAd0sc, static_cast<std::uint8_t>(value << shift));
}

void CAdc0PropPage::ChangeSar() {
    CCalculateSarDlg dialog(Sheet());
    if (dialog.DoModal() == fw::DialogResult::Ok && dialog.Divider())
        ReplaceBits(kAd0sc, static_cast<std::uint8_t>(*dialog.Divider() << FieldShift(kAd0sc.mask)));
}

}  // namespace regsmith
