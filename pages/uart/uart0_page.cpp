#include "pages/uart/uart0_page.h"

#include "model/clock_rates.h"
#include "model/crossbar.h"
#include "view/sheet_commands.h"

namespace regsmith {

namespace {

constexpr std::uint8_t kNineBitMode = 0x80;
constexpr std::uint8_t kReceiveEnable = 0x10;
constexpr std::uint8_t kMultiprocessorCheck = 0x20;
constexpr std::uint8_t kUart0InterruptBit = 0x10;  // IE

}  // namespace

CUart0PropPage::CUart0PropPage(SheetContext& sheet) : CDevicePropPage(kUart0PageTitle, sheet, kBlockUart) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    BindRadios(left.Add<fw::GroupBox>("UART Mode"), reg::SCON0, kNineBitMode,
               {{"8 Bit UART", 0x00}, {"9 Bit UART", kNineBitMode}});
    BindCheck(left.Add<fw::GroupBox>("Receive Enable"), "Enable UART0 Reception", reg::SCON0, kReceiveEnable);

    const auto eight = BindRadios(left.Add<fw::GroupBox>("8 Bit UART - Checks for valid stop bit:"), reg::SCON0,
                                  kMultiprocessorCheck,
                                  {{"Logic level of stop bit ignored", 0x00},
                                   {"RI0 will only be activated if stop bit is logic level 1", kMultiprocessorCheck}});
    const auto nine = BindRadios(
        left.Add<fw::GroupBox>("9 Bit UART - MP Comm Enable:"), reg::SCON0, kMultiprocessorCheck,
        {{"Logic level of ninth bit is ignored", 0x00},
         {"RI0 is set and an interrupt is generated only when the ninth bit is logic 1", kMultiprocessorCheck}});
    for (std::size_t i = 0; i < 2; ++i) {
        eightBit_[i] = eight[i];
        nineBit_[i] = nine[i];
        Then(*eight[i], [this, i] { nineBit_[i]->SetChecked(true); });
        Then(*nine[i], [this, i] { eightBit_[i]->SetChecked(true); });
    }
    BindUpdate([this] {
        const bool nineBit = TestBits(reg::SCON0, kNineBitMode);
        for (std::size_t i = 0; i < 2; ++i) {
            eightBit_[i]->Enable(!nineBit);
            nineBit_[i]->Enable(nineBit);
        }
    });

    auto& interrupt = right.Add<fw::GroupBox>("UART Interrupt");
    BindInterruptStatus(interrupt, "UART0", reg::IE, kUart0InterruptBit);
    AddNestedSheetButton(interrupt, "Configure UART Interrupts", NestedSheet::Interrupts);

    auto& baud = right.Add<fw::GroupBox>("Baud Rate");
    auto& rate = baud.AddRow();
    BindDisplay(rate, "UART Baud Rate", [this] {
        const PeripheralBlock& timers = Copy(kBlockTimers);
        const std::uint32_t value =
            UartBaudFromTimer1(ValueOf(timers, reg::CKCON), ValueOf(timers, reg::TH1), Sheet().Clocks().sysclk);
        return std::to_string(static_cast<std::int32_t>(value));
    });
    rate.Add<fw::StaticText>("bps");
    // Accepted: the timers block is in the document.  Port I/O changed in
    // sheets nested further in reaches this page's copy by itself.
    AddNestedSheetButton(baud, "Configure UART Baud Rate", NestedSheet::Timer1);

    auto& crossbar = right.Add<fw::GroupBox>("UART on the Crossbar");
    BindCrossbarStatus(crossbar, "UART0", CrossbarPeripheral::Uart0);
    AddNestedSheetButton(crossbar, "Configure Port I/O", NestedSheet::PortIO);
    AddSummaryBox(Root());
}

}  // namespace regsmith
