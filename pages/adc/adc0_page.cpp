#include "pages/adc/adc0_page.h"

#include <string>

#include "pages/adc/calculate_sar_dialog.h"
#include "pages/adc/sar_calculator.h"
#include "view/messages.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

// ADC0CN
constexpr std::uint8_t kEnable = 0x80;
constexpr std::uint8_t kBurst = 0x40;
constexpr std::uint8_t kLeftJustify = 0x04;
// ADC0CF
constexpr std::uint8_t kAd0scMask = 0xF8;
constexpr int kAd0scShift = 3;
constexpr std::uint8_t kRepeatMask = 0x06;
// ADC0TK
constexpr std::uint8_t kPowerUpMask = 0xF0;
constexpr std::uint8_t kTrackingMask = 0x0C;
constexpr std::uint8_t kPostTrackingMask = 0x03;
// REF0CN of the voltage reference block
constexpr std::uint8_t kBiasGenerator = 0x02;
constexpr std::uint8_t kReferenceBuffer = 0x01;
// EIE1 of the interrupts block
constexpr std::uint8_t kConversionInterrupt = 0x02;
constexpr std::uint8_t kWindowInterrupt = 0x01;


std::vector<std::string> PowerUpTimes() {
    std::vector<std::string> items;
    for (int step = 1; step <= 16; ++step) items.push_back(std::to_string(step * 200) + " ns");
    return items;
}

}  // namespace

CAdc0PropPage::CAdc0PropPage(SheetContext& sheet) : CDevicePropPage(kAdc0PageTitle, sheet, kBlockAdc) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    auto& enable = left.Add<fw::GroupBox>("ADC Enable");
    BindCheck(enable, "Enable ADC0", reg::ADC0CN, kEnable);
    BindCheck(enable, "Enable Burst Mode", reg::ADC0CN, kBurst);
    BindList(enable, "Burst Power Up Time:", reg::ADC0TK, kPowerUpMask, PowerUpTimes());

    auto& start = left.Add<fw::GroupBox>("Start of Conversion Mode");
    BindRadios(start, reg::ADC0CN, kStartMask,
               {{"every write of '1' to AD0BUSY", 0x00},
                {"on overflow of Timer 2", 0x03},
                {"on rising edge of external CNVSTR", kStartOnCnvstr}});
    BindStatus(start, [this] {
        return CnvstrStatus(Sheet().Document().deviceId, Value(reg::ADC0CN), Copy(kBlockPortIO));
    });

    auto& tracking = left.Add<fw::GroupBox>("Tracking Mode");
    BindRadios(tracking, reg::ADC0TK, kTrackingMask,
               {{"Pre-Tracking Mode", 0x08}, {"Dual-Tracking Mode", 0x0C}, {"Post-Tracking Mode", 0x04}});
    BindList(tracking, "Post-Tracking time is equal to:", reg::ADC0TK, kPostTrackingMask,
             std::vector<std::string>{"2 SAR clock cycles", "4 SAR clock cycles", "8 SAR clock cycles",
                                      "16 SAR clock cycles"})
        .widthChars = 22;
    tracking.Add<fw::StaticText>("+ 2FCLK cycles").alignment = fw::Control::AlignRight;

    BindList(left.Add<fw::GroupBox>("Repeat Count"), "", reg::ADC0CF, kRepeatMask,
             std::vector<std::string>{"1 conversion performed", "4 conversions performed and accumulated",
                                      "8 conversions performed and accumulated",
                                      "16 conversions performed and accumulated"});

    BindCheck(left.Add<fw::GroupBox>("Justification"), "Left justify ADC0H:ADC0L registers", reg::ADC0CN,
              kLeftJustify);

    // The inputs of the package.  A stored code without an item shows no
    // selection and stays until the user picks an input; bits 7-5 of ADC0MX
    // are kept.
    auto& mux = right.Add<fw::GroupBox>("ADC MUX Selection");
    inputs_ = AdcInputs(Sheet().Document().deviceId);
    std::vector<ListChoice> items;
    for (const AdcInput& input : inputs_) items.push_back({input.item, input.code});
    BindList(mux, "Input Channel:", reg::ADC0MX, kAdcInputMask, std::move(items));
    BindStatus(mux, [this] {
        return AdcInputStatus(inputs_, static_cast<std::uint8_t>(Value(reg::ADC0MX) & kAdcInputMask),
                              Copy(kBlockPortIO));
    });
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
        return std::to_string(SarClock(Sheet().Clocks().sysclk, Value(reg::ADC0CF) >> kAd0scShift));
    }).widthChars = 10;
    clock.Add<fw::StaticText>("Hz");
    AddButton(sar, "Change SAR", [this] { ChangeSar(); });
    ad0sc_ = &sar.Add<fw::EditField>("AD0SC Value (Hex)");
    ad0sc_->widthChars = 4;
    Bind(*ad0sc_, [this] { ad0sc_->SetText(FieldHex(reg::ADC0CF, kAd0scMask, kAd0scShift)); }, {});
    AttachHexBehaviour(*ad0sc_, [this](std::uint8_t value) { StoreAd0sc(value); });

    auto& reference = right.Add<fw::GroupBox>("Reference Control");
    BindStatus(reference, [this] {
        return TestBits(Copy(kBlockVoltageReference), reg::REF0CN, kBiasGenerator)
                   ? "Internal Bias Generator is On, Configured Properly"
                   : "Internal Bias Generator is Off, NOT Configured Properly";
    });
    BindStatus(reference, [this] {
        return TestBits(Copy(kBlockVoltageReference), reg::REF0CN, kReferenceBuffer) ? "Internal Reference Buffer is On"
                                                                                     : "Internal Reference Buffer is Off";
    });
    AddNestedSheetButton(reference, "Configure Reference Control", NestedSheet::VoltageReference);

    auto& interrupts = right.Add<fw::GroupBox>("ADC Interrupt");
    BindInterruptStatus(interrupts, "ADC0", reg::EIE1, kConversionInterrupt);
    BindInterruptStatus(interrupts, "ADC0 Window", reg::EIE1, kWindowInterrupt);
    AddNestedSheetButton(interrupts, "Configure ADC Interrupts", NestedSheet::Interrupts);

    AddSummaryBox(Root());
}

void CAdc0PropPage::StoreAd0sc(std::uint8_t value) {
    if (value > kMaxAd0sc) {
        ReplaceBits(reg::ADC0CF, kAd0scMask, kAd0scMask);
        ad0sc_->SetText("1F");
        Warn(kAd0scTooLargeWarning);
        return;
    }
    ReplaceBits(reg::ADC0CF, kAd0scMask, static_cast<std::uint8_t>(value << kAd0scShift));
}

void CAdc0PropPage::ChangeSar() {
    CCalculateSarDlg dialog(Sheet());
    if (dialog.DoModal() == fw::DialogResult::Ok && dialog.Divider()) {
        ReplaceBits(reg::ADC0CF, kAd0scMask, static_cast<std::uint8_t>(*dialog.Divider() << kAd0scShift));
        ad0sc_->SetText(FieldHex(reg::ADC0CF, kAd0scMask, kAd0scShift));
    }
}

}  // namespace regsmith
