#include "model/crossbar.h"

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"

namespace regsmith {
namespace {

constexpr int kSmall = 6;
constexpr int kLarge = 16;

// Row numbers, for readability.
enum Row { TX, RX, SCK, MISO, MOSI, NSS, LINTX, LINRX, CP0, CP0A, SYSCLK, CEX0, CEX1, CEX2, ECI, T0, T1 };

int PinOf(const CrossbarDecode& decode, int row) { return decode.signalPin[static_cast<std::size_t>(row)]; }

void Skip(CrossbarRegisters& registers, int pin) {
    registers[PinEntry(reg::P0SKIP, pin)] = static_cast<std::uint8_t>(registers[PinEntry(reg::P0SKIP, pin)] | PinMask(pin));
}

bool PeripheralAvailable(const CrossbarAvailability& availability, CrossbarPeripheral peripheral) {
    return availability.peripheral[static_cast<std::size_t>(peripheral)];
}

PeripheralBlock DefaultPortIO() {
    CK74x_75xDoc document(0xD0);
    EXPECT_TRUE(document.OnNewDocument());
    PeripheralBlock block;
    document.GetBlock(block, kBlockPortIO);
    return block;
}

TEST(CrossbarTable, RowsInPriorityOrderWithNssByWireMode) {
    const SignalTable four = BuildSignalTable(true);
    const SignalTable three = BuildSignalTable(false);
    const char* names[] = {"TX",  "RX",     "SCK",  "MISO", "MOSI", "NSS", "LIN-TX", "LIN-RX", "CP0",
                           "CP0A", "SYSCLK", "CEX0", "CEX1", "CEX2", "ECI", "T0",     "T1"};
    for (int row = 0; row < kSignalCount; ++row) {
        EXPECT_EQ(four[row].row, row);
        EXPECT_STREQ(four[row].name, names[row]);
        EXPECT_EQ(std::string(four[row].assignmentText).size(), 13u) << row;
    }
    EXPECT_EQ(four[NSS].firstPin, 3);
    EXPECT_EQ(four[NSS].lastPin, 15);
    EXPECT_STREQ(three[NSS].name, "NSS*");
    EXPECT_FALSE(three[NSS].HasPinRange());
    EXPECT_STREQ(three[NSS].assignmentText, "NSS  (SPI0), ");
}

TEST(CrossbarTable, WireModeFromSpi0cnAndPinCountFromDeviceId) {
    PeripheralBlock spi = MakeBlock(kBlockSpi, "SPI_Init");
    AddRegister(spi, "SPI0CFG", 0x00);
    AddRegister(spi, "SPI0CN", 0x04);
    EXPECT_TRUE(IsFourWireNss(spi));
    spi.registers[1].value = 0x08;
    EXPECT_TRUE(IsFourWireNss(spi));
    spi.registers[1].value = 0xF3;
    EXPECT_FALSE(IsFourWireNss(spi));
    EXPECT_FALSE(IsFourWireNss(PeripheralBlock{}));  // a missing block reads all clear

    for (int id = 0xD0; id <= 0xD5; ++id) EXPECT_EQ(PinCount(static_cast<std::uint8_t>(id)), 6) << id;
    for (int id = 0xD6; id <= 0xDB; ++id) EXPECT_EQ(PinCount(static_cast<std::uint8_t>(id)), 16) << id;

    EXPECT_EQ(PinName(0), "P0.0");
    EXPECT_EQ(PinName(15), "P1.7");
    EXPECT_EQ(ParsePinName("P1.2"), 10);
    EXPECT_EQ(ParsePinName("P2.0"), kNoPin);
    EXPECT_EQ(ParsePinName("P0.8"), kNoPin);
    EXPECT_EQ(ParsePinName("P0.1 "), kNoPin);
}

TEST(CrossbarRegistersTest, ReadFromBlockAndDamagedBlocksKeepResetValues) {
    PeripheralBlock block = DefaultPortIO();
    block.registers[reg::P1SKIP].value = 0x81;
    block.registers[reg::P0MDIN].value = 0xFE;
    CrossbarRegisters registers = CrossbarRegisters::FromBlock(block);
    EXPECT_TRUE(registers.IsSkipped(8));
    EXPECT_TRUE(registers.IsSkipped(15));
    EXPECT_FALSE(registers.IsSkipped(9));
    EXPECT_FALSE(registers.IsDigital(0));
    EXPECT_TRUE(registers.IsDigital(1));

    block.registers.resize(3);  // a truncated project: P0MDIN, P1MDIN, P0MDOUT only
    registers = CrossbarRegisters::FromBlock(block);
    EXPECT_EQ(registers[reg::XBR0], 0x00);
    EXPECT_EQ(registers[reg::P0SKIP], 0x00);
    EXPECT_FALSE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Uart0));
    EXPECT_FALSE(IsEnabledOnCrossbar(PeripheralBlock{}, CrossbarPeripheral::Cex0));
}

TEST(CrossbarEnabled, OneCallPerPeripheralIncludingTheCexCountRule) {
    PeripheralBlock block = DefaultPortIO();
    for (int index = 0; index < kCrossbarPeripheralCount; ++index)
        EXPECT_FALSE(IsEnabledOnCrossbar(block, static_cast<CrossbarPeripheral>(index))) << index;

    block.registers[reg::XBR0].value = 0x31;  // UART0, CP0, CP0A
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Uart0));
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Cp0));
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Cp0A));
    EXPECT_FALSE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Spi0));
    EXPECT_FALSE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Sysclk));

    block.registers[reg::XBR1].value = 0x42;  // crossbar on, two CEX signals
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Cex0));
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Cex1));
    EXPECT_FALSE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Cex2));
    block.registers[reg::XBR1].value = 0x3B;  // three CEX, ECI, T0, T1
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Cex2));
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Eci));
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Timer0));
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Timer1));
    block.registers[reg::XBR1].value = 0x07;  // a count above 3 still means all three
    EXPECT_TRUE(IsEnabledOnCrossbar(block, CrossbarPeripheral::Cex2));
}

TEST(CrossbarBoxes, CexBoxesSetTheCount) {
    CrossbarRegisters registers;
    registers[reg::XBR1] = 0x40;
    ApplyPeripheralBox(registers, CrossbarPeripheral::Cex1, true);
    EXPECT_EQ(registers[reg::XBR1], 0x42);
    EXPECT_TRUE(IsPeripheralEnabled(CrossbarPeripheral::Cex0, registers));
    EXPECT_TRUE(IsPeripheralEnabled(CrossbarPeripheral::Cex1, registers));
    EXPECT_FALSE(IsPeripheralEnabled(CrossbarPeripheral::Cex2, registers));
    ApplyPeripheralBox(registers, CrossbarPeripheral::Cex0, false);
    EXPECT_EQ(registers[reg::XBR1], 0x40);
    ApplyPeripheralBox(registers, CrossbarPeripheral::Cex2, true);
    EXPECT_EQ(registers[reg::XBR1], 0x43);
    ApplyPeripheralBox(registers, CrossbarPeripheral::Cex2, false);
    EXPECT_EQ(registers[reg::XBR1], 0x42);

    ApplyPeripheralBox(registers, CrossbarPeripheral::Spi0, true);
    ApplyPeripheralBox(registers, CrossbarPeripheral::Timer1, true);
    EXPECT_EQ(registers[reg::XBR0], 0x02);
    EXPECT_EQ(registers[reg::XBR1], 0x62);
    ApplyPeripheralBox(registers, CrossbarPeripheral::Spi0, false);
    EXPECT_EQ(registers[reg::XBR0], 0x00);
}

TEST(CrossbarDecodeTest, SmallPackageUartAndFourWireSpiFillEveryPin) {
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x03;
    const SignalTable table = BuildSignalTable(true);
    const CrossbarDecode decode = Decode(registers, table, kSmall);
    EXPECT_EQ(PinOf(decode, TX), 4);
    EXPECT_EQ(PinOf(decode, RX), 5);
    EXPECT_EQ(PinOf(decode, SCK), 0);
    EXPECT_EQ(PinOf(decode, MISO), 1);
    EXPECT_EQ(PinOf(decode, MOSI), 2);
    EXPECT_EQ(PinOf(decode, NSS), 3);
    EXPECT_TRUE(decode.allAssigned);
    EXPECT_EQ(decode.pins[4].text, "TX   (UART), ");
    EXPECT_EQ(decode.pins[3].signalRow, NSS);

    const CrossbarAvailability availability = TrialEnabledBoxes(registers, table, kSmall);
    for (int index = 0; index < kCrossbarPeripheralCount; ++index) {
        const auto peripheral = static_cast<CrossbarPeripheral>(index);
        const bool checked = peripheral == CrossbarPeripheral::Uart0 || peripheral == CrossbarPeripheral::Spi0;
        EXPECT_EQ(PeripheralAvailable(availability, peripheral), checked) << index;
    }
    for (int pin = 0; pin < kMaxPins; ++pin) EXPECT_FALSE(availability.skip[pin]) << pin;
}

TEST(CrossbarDecodeTest, SmallPackageSkippedUartPinGreysUart) {
    CrossbarRegisters registers;
    Skip(registers, 4);
    const SignalTable table = BuildSignalTable(true);
    const CrossbarAvailability availability = TrialEnabledBoxes(registers, table, kSmall);
    EXPECT_FALSE(PeripheralAvailable(availability, CrossbarPeripheral::Uart0));
    EXPECT_TRUE(PeripheralAvailable(availability, CrossbarPeripheral::Spi0));
    EXPECT_TRUE(availability.skip[4]);  // checked: can be unchecked
    EXPECT_TRUE(availability.skip[5]);  // skipping P0.5 harms nothing yet
    EXPECT_FALSE(availability.skip[6]);  // beyond the small package
}

TEST(CrossbarDecodeTest, LargePackageSkipsPushThreeWireSpiUp) {
    CrossbarRegisters registers;
    Skip(registers, 0);
    Skip(registers, 1);
    registers[reg::XBR0] = 0x02;
    const SignalTable table = BuildSignalTable(false);
    const CrossbarDecode decode = Decode(registers, table, kLarge);
    EXPECT_EQ(PinOf(decode, SCK), 2);
    EXPECT_EQ(PinOf(decode, MISO), 3);
    EXPECT_EQ(PinOf(decode, MOSI), 4);
    EXPECT_EQ(PinOf(decode, NSS), kNoPin);
    EXPECT_TRUE(decode.allAssigned);  // NSS* has no range and never counts
    EXPECT_TRUE(decode.pins[0].skipped);
    EXPECT_TRUE(decode.pins[1].skipped);
    EXPECT_EQ(decode.pins[0].text, "Skipped,     ");
    EXPECT_FALSE(decode.pins[5].skipped);
    EXPECT_TRUE(decode.pins[5].free);
    EXPECT_EQ(decode.pins[5].text, "Unassigned,  ");

    // The same with four-wire NSS takes P0.5.
    EXPECT_EQ(PinOf(Decode(registers, BuildSignalTable(true), kLarge), NSS), 5);
}

TEST(CrossbarDecodeTest, EverySignalOnTheLargePackageInPriorityOrder) {
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x3F;
    registers[reg::XBR1] = 0x3B;
    const CrossbarDecode decode = Decode(registers, BuildSignalTable(true), kLarge);
    const int expected[kSignalCount] = {4, 5, 0, 1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, kNoPin};
    for (int row = 0; row < kSignalCount; ++row) EXPECT_EQ(PinOf(decode, row), expected[row]) << row;
    EXPECT_FALSE(decode.allAssigned);  // T1 has no pin left; T0 and the rest keep theirs
}

TEST(CrossbarDecodeTest, LastPinsBoundTheSearch) {
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x02;
    for (int pin = 0; pin <= 12; ++pin) Skip(registers, pin);
    const SignalTable table = BuildSignalTable(false);
    CrossbarDecode decode = Decode(registers, table, kLarge);
    EXPECT_EQ(PinOf(decode, SCK), 13);
    EXPECT_EQ(PinOf(decode, MISO), 14);
    EXPECT_EQ(PinOf(decode, MOSI), 15);

    Skip(registers, 13);  // SCK may not go above P1.5
    decode = Decode(registers, table, kLarge);
    EXPECT_EQ(PinOf(decode, SCK), kNoPin);
    EXPECT_EQ(PinOf(decode, MISO), 14);
    EXPECT_EQ(PinOf(decode, MOSI), 15);
    EXPECT_FALSE(decode.allAssigned);
}

TEST(CrossbarDecodeTest, FollowersStartAfterTheirPredecessorsFirstPins) {
    CrossbarRegisters registers;
    registers[reg::XBR1] = 0x03;  // three CEX
    Skip(registers, 0);
    CrossbarDecode decode = Decode(registers, BuildSignalTable(true), kSmall);
    EXPECT_EQ(PinOf(decode, CEX0), 1);
    EXPECT_EQ(PinOf(decode, CEX1), 2);
    EXPECT_EQ(PinOf(decode, CEX2), 3);

    // CP0 on P0.1 and P0.2 skipped: CEX1 cannot go to P0.0 and takes P0.3.
    registers = CrossbarRegisters{};
    registers[reg::XBR0] = 0x10;
    registers[reg::XBR1] = 0x02;
    Skip(registers, 0);
    Skip(registers, 2);
    decode = Decode(registers, BuildSignalTable(true), kSmall);
    EXPECT_EQ(PinOf(decode, CP0), 1);
    EXPECT_EQ(PinOf(decode, CEX0), 3);
    EXPECT_EQ(PinOf(decode, CEX1), 4);
}

TEST(CrossbarDecodeTest, SkipsBeyondThePinCountAreIgnored) {
    CrossbarRegisters registers;
    registers[reg::P0SKIP] = 0xC0;
    registers[reg::P1SKIP] = 0xFF;
    registers[reg::XBR1] = 0x30;  // T0, T1
    const CrossbarDecode decode = Decode(registers, BuildSignalTable(true), kSmall);
    for (int pin = 0; pin < kSmall; ++pin) EXPECT_FALSE(decode.pins[pin].skipped);
    EXPECT_EQ(PinOf(decode, T0), 0);
    EXPECT_EQ(PinOf(decode, T1), 1);
    // Out-of-range pin counts are clamped rather than trusted.
    EXPECT_EQ(Decode(registers, BuildSignalTable(true), 99).pinCount, 16);
    EXPECT_EQ(Decode(registers, BuildSignalTable(true), -3).pinCount, 0);
}

TEST(CrossbarDecodeTest, LoadedProjectWithAnUnassignableSignal) {
    // A file can hold what the boxes never allow: UART0 on with P0.4 skipped.
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x01;
    Skip(registers, 4);
    const SignalTable table = BuildSignalTable(true);
    const CrossbarDecode decode = Decode(registers, table, kSmall);
    EXPECT_EQ(PinOf(decode, TX), kNoPin);
    EXPECT_EQ(PinOf(decode, RX), 5);
    EXPECT_FALSE(decode.allAssigned);
    EXPECT_EQ(decode.pins[4].text, "Skipped,     ");

    // Every trial fails while TX has no pin; the checked boxes stay usable,
    // so the user can undo either cause.
    const CrossbarAvailability availability = TrialEnabledBoxes(registers, table, kSmall);
    EXPECT_TRUE(PeripheralAvailable(availability, CrossbarPeripheral::Uart0));
    EXPECT_FALSE(PeripheralAvailable(availability, CrossbarPeripheral::Timer0));
    EXPECT_TRUE(availability.skip[4]);
    EXPECT_FALSE(availability.skip[0]);
}

TEST(CrossbarDecodeTest, DefaultRegistersOfferEveryBox) {
    const CrossbarRegisters registers;
    for (int pins : {kSmall, kLarge}) {
        const CrossbarAvailability availability = TrialEnabledBoxes(registers, BuildSignalTable(true), pins);
        for (bool enabled : availability.peripheral) EXPECT_TRUE(enabled);
        for (int pin = 0; pin < kMaxPins; ++pin) EXPECT_EQ(availability.skip[pin], pin < pins) << pin;
    }
}

TEST(CrossbarDecodeTest, GreyingKeepsEnabledSignalsOnPins) {
    // Large package with 14 signals on P0.0..P1.5: two free pins remain.
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x3F;  // UART, SPI(4), LIN(2), CP0, CP0A, SYSCLK: 11 signals
    registers[reg::XBR1] = 0x03;  // CEX0..2: 14 signals on P0.0..P1.5
    const SignalTable table = BuildSignalTable(true);
    const CrossbarAvailability availability = TrialEnabledBoxes(registers, table, kLarge);
    EXPECT_TRUE(PeripheralAvailable(availability, CrossbarPeripheral::Eci));
    EXPECT_TRUE(PeripheralAvailable(availability, CrossbarPeripheral::Timer1));
    EXPECT_TRUE(availability.skip[14]);  // any one skip still leaves room for all 14
    EXPECT_TRUE(availability.skip[0]);
    registers[reg::XBR1] = 0x1B;  // ECI, T0 too: 16 signals, no pin left
    const CrossbarAvailability full = TrialEnabledBoxes(registers, table, kLarge);
    EXPECT_FALSE(PeripheralAvailable(full, CrossbarPeripheral::Timer1));
    for (int pin = 0; pin < kLarge; ++pin) EXPECT_FALSE(full.skip[pin]) << pin;
}

TEST(CrossbarCommentTable, SixPinsByteExact) {
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x01;
    registers[reg::P0MDOUT] = 0x10;
    registers[reg::P0MDIN] = 0xFE;
    Skip(registers, 2);
    const CrossbarDecode decode = Decode(registers, BuildSignalTable(true), kSmall);
    const PinCommentTable table = BuildPinCommentTable(decode, registers);
    EXPECT_EQ(table.c,
              "    // P0.0  -  Unassigned,  Open-Drain, Analog\r\n"
              "    // P0.1  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.2  -  Skipped,     Open-Drain, Digital\r\n"
              "    // P0.3  -  Unassigned,  Open-Drain, Digital\r\n"
              "    // P0.4  -  TX   (UART), Push-Pull,  Digital\r\n"
              "    // P0.5  -  RX   (UART), Open-Drain, Digital\r\n"
              "\r\n");
    EXPECT_EQ(table.assembly,
              "    ; P0.0  -  Unassigned,  Open-Drain, Analog\r\n"
              "    ; P0.1  -  Unassigned,  Open-Drain, Digital\r\n"
              "    ; P0.2  -  Skipped,     Open-Drain, Digital\r\n"
              "    ; P0.3  -  Unassigned,  Open-Drain, Digital\r\n"
              "    ; P0.4  -  TX   (UART), Push-Pull,  Digital\r\n"
              "    ; P0.5  -  RX   (UART), Open-Drain, Digital\r\n"
              "\r\n");
}

TEST(CrossbarCommentTable, SixteenPinsWithAnEmptyLineBetweenPorts) {
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x18;  // CP0, SYSCLK
    registers[reg::XBR1] = 0x3B;  // CEX0..2, ECI, T0, T1
    registers[reg::P1MDOUT] = 0x80;
    registers[reg::P1MDIN] = 0x7F;
    Skip(registers, 0);
    Skip(registers, 9);
    const CrossbarDecode decode = Decode(registers, BuildSignalTable(false), kLarge);
    const PinCommentTable table = BuildPinCommentTable(decode, registers);
    const std::string expected =
        "    // P0.0  -  Skipped,     Open-Drain, Digital\r\n"
        "    // P0.1  -  CP0  (Cmp0), Open-Drain, Digital\r\n"
        "    // P0.2  -  SYSCLK,      Open-Drain, Digital\r\n"
        "    // P0.3  -  CEX0  (PCA), Open-Drain, Digital\r\n"
        "    // P0.4  -  CEX1  (PCA), Open-Drain, Digital\r\n"
        "    // P0.5  -  CEX2  (PCA), Open-Drain, Digital\r\n"
        "    // P0.6  -  ECI,         Open-Drain, Digital\r\n"
        "    // P0.7  -  T0   (Tmr0), Open-Drain, Digital\r\n"
        "\r\n"
        "    // P1.0  -  T1   (Tmr1), Open-Drain, Digital\r\n"
        "    // P1.1  -  Skipped,     Open-Drain, Digital\r\n"
        "    // P1.2  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P1.3  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P1.4  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P1.5  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P1.6  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P1.7  -  Unassigned,  Push-Pull,  Analog\r\n"
        "\r\n";
    EXPECT_EQ(table.c, expected);
    std::string assembly = expected;
    for (std::size_t at = 0; (at = assembly.find("    // ", at)) != std::string::npos;)
        assembly.replace(at, 7, "    ; ");
    EXPECT_EQ(table.assembly, assembly);
}

TEST(CrossbarDescribe, OneLinePerSignal) {
    CrossbarRegisters registers;
    registers[reg::XBR0] = 0x03;
    const SignalTable table = BuildSignalTable(false);
    const std::string text = DescribeAssignment(Decode(registers, table, kSmall), table);
    EXPECT_EQ(text,
              "TX: P0.4\nRX: P0.5\nSCK: P0.0\nMISO: P0.1\nMOSI: P0.2\nNSS*: none\nLIN-TX: none\nLIN-RX: none\n"
              "CP0: none\nCP0A: none\nSYSCLK: none\nCEX0: none\nCEX1: none\nCEX2: none\nECI: none\nT0: none\n"
              "T1: none\n");
}

}  // namespace
}  // namespace regsmith

namespace regsmith {
namespace {

TEST(PinModes, AnalogWhenTheInputBitIsClearSkippedWhenTheSkipBitIsSet) {
    PeripheralBlock portIO = BuildDefaultBlock(*FindBlockSpec(kBlockPortIO));
    EXPECT_FALSE(IsPinAnalog(portIO, 7));
    EXPECT_FALSE(IsPinSkipped(portIO, 7));
    portIO.registers[reg::P0MDIN].value = 0x7F;  // P0.7 analog
    portIO.registers[reg::P1SKIP].value = 0x01;  // P1.0 skipped
    EXPECT_TRUE(IsPinAnalog(portIO, 7));
    EXPECT_FALSE(IsPinAnalog(portIO, 8));
    EXPECT_TRUE(IsPinSkipped(portIO, 8));
    EXPECT_FALSE(IsPinSkipped(portIO, 0));
    EXPECT_FALSE(IsPinAnalog(PeripheralBlock{}, 0));  // a damaged block reads as reset: digital
}

}  // namespace
}  // namespace regsmith
