#include "pages/uart/uart0_page.h"

#include "model/clock_rates.h"
#include "model/crossbar.h"
#include "view/sheet_commands.h"

namespace regsmith {

CUart0PropPage::CUart0PropPage(SheetContext& sheet) : CDevicePropPage(kUart0PageTitle, sheet, kBlockUart) {
    auto& columns = Root().AddRow();
    auto& left = columns.AddColumn();
    auto& right = columns.AddColumn();

    BindRadios(left.Add<fw::GroupBox>("UART Mode"), field::SCON0_S0MODE);
    BindCheck(left.Add<fw::GroupBox>("Receive Enable"), field::SCON0_REN0);

    // Both pairs show the one bit; the kit shows a click on one in the other.
    const auto eight = BindRadios(left.Add<fw::GroupBox>("8 Bit UART - Checks for valid stop bit:"), field::SCON0_MCE0);
    const auto nine = BindRadios(
        left.Add<fw::GroupBox>("9 Bit UART - MP Comm Enable:"), field::SCON0_MCE0,
        std::vector<std::string>{"Logic level of ninth bit is ignored",
                                 "RI0 is set and an interrupt is generated only when the ninth bit is logic 1"});
    for (std::size_t i = 0; i < 2; ++i) {
        eightBit_[i] = eight[i];
        nineBit_[i] = nine[i];
    }
    BindUpdate([this] {
        const bool nineBit = TestBits(field::SCON0_S0MODE);
        for (std::size_t i = 0; i < 2; ++i) {
            eightBit_[i]->Enable(!nineBit);
            nineBit_[i]->Enable(nineBit);
        }
    });

    auto& interrupt = right.Add<fw::GroupBox>("UART Interrupt");
    BindInterruptStatus(interrupt, "UART0", field::IE_ES0);
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
