#include "pages/portio/crossbar_page.h"

#include "model/catalogue.h"
#include "view/messages.h"

namespace regsmith {

namespace {

constexpr int kSignalGridRowOffset = 2;  // two header rows
constexpr int kPinGridColumnOffset = 1;  // one header column

constexpr const char* kLegendText = "D - Digital\nA - Analog\n\nO- Open Drain\nP - Push-Pull";
constexpr const char* kRevisionNote = "Port I/O initialization code is generated for revision B and later devices only.";

// Pin-function labels: VREF, then X1, X2 and CNVSTR of each package.
constexpr int kVrefPin = 0;
constexpr std::array<int, 3> kSmallPackageFunctionPins{2, 3, 5};
constexpr std::array<int, 3> kLargePackageFunctionPins{7, 8, 10};
constexpr std::array<const char*, 3> kFunctionLabels{"X1", "X2", "CNV\nSTR"};

// Heights of the rows of pin controls: the two rows of toggle buttons and the
// row of skip boxes.
constexpr std::array<int, 3> kPinRowTwips{390, 390, 300};

}  // namespace

void ResetPortIORegisters(CDevicePage& page) {
    page.ResetRegisters();
    if (RegisterEntry* xbr0 = page.Entry(reg::XBR0)) {
        xbr0->cBefore.clear();
        xbr0->asmBefore.clear();
    }
}

CPortIOCrossbarPropPage::CPortIOCrossbarPropPage(SheetContext& sheet)
    : CDevicePropPage(kCrossbarPageTitle, sheet, kBlockPortIO) {
    BuildControls();
}

void CPortIOCrossbarPropPage::BuildControls() {
    auto& setup = Root().Add<fw::GroupBox>("Crossbar Priority Decoder Setup", fw::Container::Layout::Grid);
    constexpr int kTopLeft = fw::Control::AlignLeft | fw::Control::AlignTop;
    constexpr int kTopRight = fw::Control::AlignRight | fw::Control::AlignTop;

    // Every row of the table has the grid's row height.
    constexpr int kRowTwips = fw::Grid::kDefaultRowHeightTwips;

    // The twelve peripheral boxes, each beside the first table row it
    // controls: a column of cells as tall as the table's rows, the header
    // rows and the further rows of a box left blank.
    auto& boxes = setup.AddAt<fw::Container>(0, 0, fw::Container::Layout::Column);
    boxes.tight = true;
    boxes.alignment = kTopRight;
    boxes.AddSpacer(0, kSignalGridRowOffset * kRowTwips);
    const SignalTable signalRows = BuildSignalTable(true);
    for (int index = 0; index < kCrossbarPeripheralCount; ++index) {
        const auto peripheral = static_cast<CrossbarPeripheral>(index);
        auto& box = boxes.Add<fw::CheckBox>(PeripheralCaption(peripheral));
        if (*PeripheralCaption(peripheral) == '\0') box.SetName(PeripheralScriptName(peripheral));
        // The three CEX boxes show one count, so every box is shown from the
        // registers after any click, its own included.
        box.onChange = [this, peripheral] { OnPeripheralClicked(peripheral); };
        BindUpdate([this, &box, peripheral] { box.SetChecked(IsPeripheralEnabled(peripheral, Registers())); });
        peripheralBoxes_[static_cast<std::size_t>(index)] = &box;
        int rows = 0;
        for (const CrossbarSignal& signal : signalRows) rows += signal.peripheral == peripheral ? 1 : 0;
        box.heightTwips = kRowTwips;
        if (rows > 1) boxes.AddSpacer(0, (rows - 1) * kRowTwips);
    }

    grid_ = &setup.AddAt<fw::Grid>(0, 1, "Crossbar Assignment");
    grid_->fixedRows = kSignalGridRowOffset;
    grid_->fixedColumns = kPinGridColumnOffset;
    grid_->alignment = kTopLeft;

    // One column of three controls per pin under each pin column of the
    // table, then the pin-function labels; the row labels stand to the left,
    // in rows of the same heights.
    auto& rowLabels = setup.AddAt<fw::Container>(1, 0, fw::Container::Layout::Column);
    rowLabels.tight = true;
    rowLabels.alignment = kTopRight;
    const std::array<const char*, 3> rowCaptions{"Analog / Digital -->", "Push-Pull / Open Drain -->", "Pin Skip -->"};
    for (std::size_t row = 0; row < rowCaptions.size(); ++row) {
        auto& label = rowLabels.Add<fw::StaticText>(rowCaptions[row]);
        label.heightTwips = kPinRowTwips[row];
        label.alignment = fw::Control::AlignRight;
    }

    auto& pinGrid = setup.AddAt<fw::Container>(1, 1, fw::Container::Layout::Grid);
    pinGrid.tight = true;
    pinGrid.alignment = kTopLeft;
    pinGrid.AddAt<fw::Container>(0, 0).widthTwips = kHeaderColumnTwips;  // under the header column
    auto pinCell = [](fw::Control& control, int row) -> fw::Control& {
        control.widthTwips = kPinColumnTwips;
        if (row < static_cast<int>(kPinRowTwips.size())) control.heightTwips = kPinRowTwips[static_cast<std::size_t>(row)];
        return control;
    };
    for (int pin = 0; pin < kMaxPins; ++pin) {
        PinControls& controls = pins_[static_cast<std::size_t>(pin)];
        const int column = pin + kPinGridColumnOffset;
        controls.input = &pinGrid.AddAt<fw::ToggleButton>(0, column, "D");
        pinCell(*controls.input, 0);
        controls.input->SetName("Input " + PinName(pin));
        Bind(*controls.input, PinEntry(reg::P0MDIN, pin), PinMask(pin), "D", "A");
        controls.input->pressedWords = "digital";
        controls.input->releasedWords = "analog";
        controls.output = &pinGrid.AddAt<fw::ToggleButton>(1, column, "O");
        pinCell(*controls.output, 1);
        controls.output->SetName("Output " + PinName(pin));
        Bind(*controls.output, PinEntry(reg::P0MDOUT, pin), PinMask(pin), "P", "O");
        controls.output->pressedWords = "push-pull";
        controls.output->releasedWords = "open-drain";
        controls.skip = &pinGrid.AddAt<fw::CheckBox>(2, column, "");
        pinCell(*controls.skip, 2);
        controls.skip->SetName("Skip " + PinName(pin));
        Bind(*controls.skip, PinEntry(reg::P0SKIP, pin), PinMask(pin));
    }
    pinCell(pinGrid.AddAt<fw::StaticText>(3, kVrefPin + kPinGridColumnOffset, "VREF"), 3);
    for (std::size_t label = 0; label < kFunctionLabels.size(); ++label) {
        smallPackageLabels_[label] = &pinGrid.AddAt<fw::StaticText>(
            3, kSmallPackageFunctionPins[label] + kPinGridColumnOffset, kFunctionLabels[label]);
        largePackageLabels_[label] = &pinGrid.AddAt<fw::StaticText>(
            3, kLargePackageFunctionPins[label] + kPinGridColumnOffset, kFunctionLabels[label]);
        pinCell(*smallPackageLabels_[label], 3);
        pinCell(*largePackageLabels_[label], 3);
    }

    auto& switches = setup.AddAt<fw::Container>(2, 1, fw::Container::Layout::Row);
    Bind(switches.Add<fw::ToggleButton>(kEnableCrossbarCaption), reg::XBR1, kXbr1CrossbarEnable);
    BindCheck(switches, kDisableWeakPullupCaption, reg::XBR1, kXbr1WeakPullupDisable);

    auto& legend = setup.AddAt<fw::Container>(0, 2, fw::Container::Layout::Grid);
    legend.alignment = kTopLeft;
    legend.AddAt<fw::ColourSwatch>(0, 0, kAssignedLegendColour, 19, 12).SetName("Assigned Colour");
    legend.AddAt<fw::StaticText>(0, 1, "Assigned");
    legend.AddAt<fw::ColourSwatch>(1, 0, kSkippedLegendColour, 19, 12).SetName("Skipped Colour");
    legend.AddAt<fw::StaticText>(1, 1, "Skipped");
    auto& legendText = legend.AddAt<fw::StaticText>(2, 0, kLegendText);
    legendText.columnSpan = 2;

    Root().Add<fw::StaticText>(kRevisionNote);
    AddSummaryBox(Root());
    // The table and the boxes that may be checked follow every change.
    BindUpdate([this] {
        DecodeAndDraw();
        UpdateEnabledBoxes();
    });
}

CrossbarRegisters CPortIOCrossbarPropPage::Registers() const { return CrossbarRegisters::FromBlock(Block()); }

void CPortIOCrossbarPropPage::OnFirstDisplay() {
    // The pin count and the NSS row are fixed for this display of the sheet.
    pinCount_ = regsmith::PinCount(DeviceId());
    signals_ = BuildSignalTable(IsFourWireNss(Copy(kBlockSpi)));
    for (int pin = 0; pin < kMaxPins; ++pin) {
        const bool shown = pin < pinCount_;
        PinControls& controls = pins_[static_cast<std::size_t>(pin)];
        controls.input->Show(shown);
        controls.output->Show(shown);
        controls.skip->Show(shown);
    }
    const bool small = pinCount_ < kMaxPins;
    for (fw::StaticText* label : smallPackageLabels_) label->Show(small);
    for (fw::StaticText* label : largePackageLabels_) label->Show(!small);
}

void CPortIOCrossbarPropPage::DecodeAndDraw() {
    const CrossbarRegisters registers = Registers();
    decode_ = Decode(registers, signals_, pinCount_);

    fw::Grid& grid = *grid_;
    grid.Clear();
    grid.SetRows(kSignalGridRowOffset + kSignalCount);
    grid.SetColumns(kPinGridColumnOffset + pinCount_);
    grid.SetColumnWidth(0, kHeaderColumnTwips);
    grid.SetText(1, 0, "Pin I/O");
    for (int pin = 0; pin < pinCount_; ++pin) {
        const int column = pin + kPinGridColumnOffset;
        grid.SetColumnWidth(column, kPinColumnTwips);
        grid.SetColumnCentred(column);
        grid.SetText(0, column, "P" + std::to_string(pin / 8));
        grid.SetText(1, column, std::to_string(pin % 8));
    }
    for (const CrossbarSignal& signal : signals_) grid.SetText(signal.row + kSignalGridRowOffset, 0, signal.name);

    for (int pin = 0; pin < pinCount_; ++pin) {
        if (!decode_.pins[static_cast<std::size_t>(pin)].skipped) continue;
        for (int row = kSignalGridRowOffset; row < grid.Rows(); ++row)
            grid.SetBackground(row, pin + kPinGridColumnOffset, kSkippedCellColour);
    }
    for (const CrossbarSignal& signal : signals_) {
        const int pin = decode_.signalPin[static_cast<std::size_t>(signal.row)];
        if (pin != kNoPin)
            grid.SetBackground(signal.row + kSignalGridRowOffset, pin + kPinGridColumnOffset, kAssignedCellColour);
    }
}

void CPortIOCrossbarPropPage::UpdateEnabledBoxes() {
    const CrossbarAvailability availability = TrialEnabledBoxes(Registers(), signals_, pinCount_);
    for (int index = 0; index < kCrossbarPeripheralCount; ++index)
        peripheralBoxes_[static_cast<std::size_t>(index)]->Enable(availability.peripheral[static_cast<std::size_t>(index)]);
    for (int pin = 0; pin < pinCount_; ++pin)
        pins_[static_cast<std::size_t>(pin)].skip->Enable(availability.skip[static_cast<std::size_t>(pin)]);
}

void CPortIOCrossbarPropPage::OnPeripheralClicked(CrossbarPeripheral peripheral) {
    const bool checked = peripheralBoxes_[static_cast<std::size_t>(peripheral)]->IsChecked();
    CrossbarRegisters registers = Registers();
    ApplyPeripheralBox(registers, peripheral, checked);
    SetValue(reg::XBR0, registers[reg::XBR0]);
    SetValue(reg::XBR1, registers[reg::XBR1]);
    if (peripheral == CrossbarPeripheral::Uart0)
        if (RegisterEntry* xbr0 = Entry(reg::XBR0)) SetFragment(*xbr0, Fragment::UartSkip, checked);
}

void CPortIOCrossbarPropPage::ResetPage() { ResetPortIORegisters(*this); }

void CPortIOCrossbarPropPage::OnOK() {
    const RegisterEntry* xbr0 = Entry(reg::XBR0);
    const RegisterEntry* xbr1 = Entry(reg::XBR1);
    const RegisterEntry* p0mdout = Entry(reg::P0MDOUT);
    const RegisterEntry* p1mdout = Entry(reg::P1MDOUT);
    auto differs = [](const RegisterEntry* entry, std::uint8_t mask) {
        return entry != nullptr && ((entry->value ^ entry->resetValue) & mask) != 0;
    };
    if (!TestBits(reg::XBR1, kXbr1CrossbarEnable) &&
        (differs(xbr0, 0xFF) || differs(p0mdout, 0xFF) || differs(p1mdout, 0xFF) || differs(xbr1, 0x7F))) {
        if (Ask(kCrossbarQuestion)) SetBits(true, reg::XBR1, kXbr1CrossbarEnable);
    }
    // Decoded afresh: the Port Match page's Reset may have changed the
    // crossbar registers since this page last drew its table.
    const CrossbarRegisters registers = Registers();
    decode_ = Decode(registers, signals_, pinCount_);
    const PinCommentTable table = BuildPinCommentTable(decode_, registers);
    Block().cPrologue = table.c;
    Block().asmPrologue = table.assembly;
}

std::string CPortIOCrossbarPropPage::DescribeAssignment() const {
    return regsmith::DescribeAssignment(decode_, signals_);
}

}  // namespace regsmith
