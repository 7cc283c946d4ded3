#pragma once
// The register table of every peripheral block: the entry order, register
// names, reset values and fixed text fragments.  The order of a table is the
// order of the lines in the generated routine, and pages refer to entries by
// the names below (reg::TMOD is the TMOD entry of the Timers block).  The
// defaults of a new document are built from these tables.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/device_data.h"

namespace regsmith {

struct RegisterSpec {
    std::string_view name;
    std::uint8_t resetValue = 0;
    std::string_view cBefore{};
    std::string_view asmBefore{};
    std::string_view cAfter{};
    std::string_view asmAfter{};
};

struct BlockSpec {
    std::int32_t number;
    std::string_view routine;  // "Timer_Init"
    std::span<const RegisterSpec> registers;
};

// Entry indexes, one type per block: reg::TMOD is entry 1 of the Timers
// block, of type Entry<kBlockTimers>.  An entry reads as its index, but
// entries of two blocks are different types and do not compare, so a rule
// cannot mistake IE for TCON.  Every register name of the family is unique,
// except that blocks 0 and 8 (reset sources and the comparator as a reset
// source) share one table.
template <std::int32_t Block>
struct Entry {
    int index;
    static constexpr std::int32_t kBlock = Block;
    constexpr operator int() const { return index; }
};
template <std::int32_t A, std::int32_t B>
    requires(A != B)
bool operator==(Entry<A>, Entry<B>) = delete;

namespace reg {
// ResetSources
inline constexpr Entry<kBlockResetSources> VDM0CN{0};
inline constexpr Entry<kBlockResetSources> RSTSRC{1};
// Pca
inline constexpr Entry<kBlockPca> PCA0CN{0};
inline constexpr Entry<kBlockPca> PCA0MD{1};
inline constexpr Entry<kBlockPca> PCA0CPM0{2};
inline constexpr Entry<kBlockPca> PCA0CPM1{3};
inline constexpr Entry<kBlockPca> PCA0CPM2{4};
inline constexpr Entry<kBlockPca> PCA0L{5};
inline constexpr Entry<kBlockPca> PCA0H{6};
inline constexpr Entry<kBlockPca> PCA0CPL0{7};
inline constexpr Entry<kBlockPca> PCA0CPL1{8};
inline constexpr Entry<kBlockPca> PCA0CPL2{9};
inline constexpr Entry<kBlockPca> PCA0CPH0{10};
inline constexpr Entry<kBlockPca> PCA0CPH1{11};
inline constexpr Entry<kBlockPca> PCA0CPH2{12};
// Timers
inline constexpr Entry<kBlockTimers> TCON{0};
inline constexpr Entry<kBlockTimers> TMOD{1};
inline constexpr Entry<kBlockTimers> CKCON{2};
inline constexpr Entry<kBlockTimers> TL0{3};
inline constexpr Entry<kBlockTimers> TL1{4};
inline constexpr Entry<kBlockTimers> TH0{5};
inline constexpr Entry<kBlockTimers> TH1{6};
inline constexpr Entry<kBlockTimers> TMR2CN{7};
inline constexpr Entry<kBlockTimers> TMR2RLL{8};
inline constexpr Entry<kBlockTimers> TMR2RLH{9};
inline constexpr Entry<kBlockTimers> TMR2L{10};
inline constexpr Entry<kBlockTimers> TMR2H{11};
// Uart
inline constexpr Entry<kBlockUart> SCON0{0};
// Spi
inline constexpr Entry<kBlockSpi> SPI0CFG{0};
inline constexpr Entry<kBlockSpi> SPI0CN{1};
inline constexpr Entry<kBlockSpi> SPI0CKR{2};
// Adc
inline constexpr Entry<kBlockAdc> ADC0MX{0};
inline constexpr Entry<kBlockAdc> ADC0CF{1};
inline constexpr Entry<kBlockAdc> ADC0CN{2};
inline constexpr Entry<kBlockAdc> ADC0TK{3};
inline constexpr Entry<kBlockAdc> ADC0GTH{4};
inline constexpr Entry<kBlockAdc> ADC0GTL{5};
inline constexpr Entry<kBlockAdc> ADC0LTH{6};
inline constexpr Entry<kBlockAdc> ADC0LTL{7};
// Comparator
inline constexpr Entry<kBlockComparator> CPT0CN{0};
inline constexpr Entry<kBlockComparator> CPT0MX{1};
inline constexpr Entry<kBlockComparator> CPT0MD{2};
// VoltageReference
inline constexpr Entry<kBlockVoltageReference> REF0CN{0};
// VoltageRegulator
inline constexpr Entry<kBlockVoltageRegulator> REG0CN{0};
// PortIO
inline constexpr Entry<kBlockPortIO> P0MDIN{0};
inline constexpr Entry<kBlockPortIO> P1MDIN{1};
inline constexpr Entry<kBlockPortIO> P0MDOUT{2};
inline constexpr Entry<kBlockPortIO> P1MDOUT{3};
inline constexpr Entry<kBlockPortIO> P0SKIP{4};
inline constexpr Entry<kBlockPortIO> P1SKIP{5};
inline constexpr Entry<kBlockPortIO> XBR0{6};
inline constexpr Entry<kBlockPortIO> XBR1{7};
inline constexpr Entry<kBlockPortIO> P0MAT{8};
inline constexpr Entry<kBlockPortIO> P1MAT{9};
inline constexpr Entry<kBlockPortIO> P0MASK{10};
inline constexpr Entry<kBlockPortIO> P1MASK{11};
// Oscillators
inline constexpr Entry<kBlockOscillators> OSCXCN{0};
inline constexpr Entry<kBlockOscillators> OSCICN{1};
inline constexpr Entry<kBlockOscillators> CLKSEL{2};
// Interrupts
inline constexpr Entry<kBlockInterrupts> IP{0};
inline constexpr Entry<kBlockInterrupts> EIE1{1};
inline constexpr Entry<kBlockInterrupts> EIP1{2};
inline constexpr Entry<kBlockInterrupts> IT01CF{3};
inline constexpr Entry<kBlockInterrupts> IE{4};
}  // namespace reg

// The declaration of the loop counter that the wait loops count in, set as a
// routine's C prologue by the pages that add a wait.
inline constexpr std::string_view kLoopCounterDeclarationC = "    int i = 0;\r\n";

// The VDD monitor's wait, after VDM0CN in blocks 0 and 8.
inline constexpr std::string_view kVddMonitorWaitC = "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n";
inline constexpr std::string_view kVddMonitorWaitAsm =
    "    clr  A                     ; Wait 5us for initialization\r\n"
    "    djnz ACC,       $\r\n";

inline constexpr RegisterSpec kResetSourcesRegisters[] = {
    {"VDM0CN", 0x00, {}, {}, kVddMonitorWaitC, kVddMonitorWaitAsm},
    {"RSTSRC", 0x00},
};
// The watchdog is stopped before PCA0MD is written and started again after
// PCA0CPL2, its timeout, is in place.
inline constexpr RegisterSpec kPcaRegisters[] = {
    {"PCA0CN", 0x00},
    {"PCA0MD", 0x00, "    PCA0MD    &= ~0x40;\r\n", "    anl  PCA0MD,    #0BFh\r\n"},
    {"PCA0CPM0", 0x00}, {"PCA0CPM1", 0x00}, {"PCA0CPM2", 0x00}, {"PCA0L", 0x00}, {"PCA0H", 0x00},
    {"PCA0CPL0", 0x00}, {"PCA0CPL1", 0x00},
    {"PCA0CPL2", 0x00, {}, {}, "    PCA0MD    |= 0x40;\r\n", "    orl  PCA0MD,    #040h\r\n"},
    {"PCA0CPH0", 0x00}, {"PCA0CPH1", 0x00}, {"PCA0CPH2", 0x00},
};
inline constexpr RegisterSpec kTimerRegisters[] = {
    {"TCON", 0x00}, {"TMOD", 0x00}, {"CKCON", 0x00}, {"TL0", 0x00}, {"TL1", 0x00}, {"TH0", 0x00},
    {"TH1", 0x00}, {"TMR2CN", 0x00}, {"TMR2RLL", 0x00}, {"TMR2RLH", 0x00}, {"TMR2L", 0x00}, {"TMR2H", 0x00},
};
inline constexpr RegisterSpec kUartRegisters[] = {{"SCON0", 0x00}};
inline constexpr RegisterSpec kSpiRegisters[] = {{"SPI0CFG", 0x00}, {"SPI0CN", 0x04}, {"SPI0CKR", 0x00}};
inline constexpr RegisterSpec kAdcRegisters[] = {
    {"ADC0MX", 0x1F}, {"ADC0CF", 0xF8}, {"ADC0CN", 0x00}, {"ADC0TK", 0xFF},
    {"ADC0GTH", 0xFF}, {"ADC0GTL", 0xFF}, {"ADC0LTH", 0x00}, {"ADC0LTL", 0x00},
};
inline constexpr RegisterSpec kComparatorRegisters[] = {{"CPT0CN", 0x00}, {"CPT0MX", 0xFF}, {"CPT0MD", 0x02}};
inline constexpr RegisterSpec kVoltageReferenceRegisters[] = {{"REF0CN", 0x00}};
inline constexpr RegisterSpec kVoltageRegulatorRegisters[] = {{"REG0CN", 0x10}};
inline constexpr RegisterSpec kPortIORegisters[] = {
    {"P0MDIN", 0xFF}, {"P1MDIN", 0xFF}, {"P0MDOUT", 0x00}, {"P1MDOUT", 0x00}, {"P0SKIP", 0x00}, {"P1SKIP", 0x00},
    {"XBR0", 0x00}, {"XBR1", 0x00}, {"P0MAT", 0xFF}, {"P1MAT", 0xFF}, {"P0MASK", 0x00}, {"P1MASK", 0x00},
};
inline constexpr RegisterSpec kOscillatorRegisters[] = {{"OSCXCN", 0x00}, {"OSCICN", 0xC0}, {"CLKSEL", 0x00}};
// IE is last, so interrupts are enabled after everything else is set.
inline constexpr RegisterSpec kInterruptRegisters[] = {
    {"IP", 0x00}, {"EIE1", 0x00}, {"EIP1", 0x00}, {"IT01CF", 0x01}, {"IE", 0x00},
};

// Every block of a new document, by block number (4 is never created).
inline constexpr std::array<BlockSpec, 13> kBlockSpecs{{
    {kBlockResetSources, "Reset_Sources_Init", kResetSourcesRegisters},
    {kBlockPca, "PCA_Init", kPcaRegisters},
    {kBlockTimers, "Timer_Init", kTimerRegisters},
    {kBlockUart, "UART_Init", kUartRegisters},
    {kBlockSpi, "SPI_Init", kSpiRegisters},
    {kBlockAdc, "ADC_Init", kAdcRegisters},
    {kBlockComparator, "Comparator_Init", kComparatorRegisters},
    {kBlockComparatorReset, "Comparator_Reset_Source_Init", kResetSourcesRegisters},
    {kBlockVoltageReference, "Voltage_Reference_Init", kVoltageReferenceRegisters},
    {kBlockVoltageRegulator, "Voltage_Regulator_Init", kVoltageRegulatorRegisters},
    {kBlockPortIO, "Port_IO_Init", kPortIORegisters},
    {kBlockOscillators, "Oscillator_Init", kOscillatorRegisters},
    {kBlockInterrupts, "Interrupts_Init", kInterruptRegisters},
}};

// The table of block `number`, or null for a number no block has.
constexpr const BlockSpec* FindBlockSpec(std::int32_t number) {
    for (const BlockSpec& spec : kBlockSpecs)
        if (spec.number == number) return &spec;
    return nullptr;
}

// The name of entry `index` of block `number` ("" when there is none).
constexpr std::string_view RegisterName(std::int32_t number, int index) {
    // By position rather than through FindBlockSpec: GCC's null-pointer
    // sanitizer makes pointer tests non-constant in static assertions.
    for (std::size_t block = 0; block < kBlockSpecs.size(); ++block) {
        const BlockSpec& spec = kBlockSpecs[block];
        if (spec.number != number) continue;
        if (index < 0 || static_cast<std::size_t>(index) >= spec.registers.size()) return {};
        return spec.registers[static_cast<std::size_t>(index)].name;
    }
    return {};
}

// A block at its reset values with its routine texts, as a new document holds it.
PeripheralBlock BuildDefaultBlock(const BlockSpec& spec);

// Completes a block that lacks entries of its table, as a sheet's copy of a
// block missing from the project (GetBlock gives an empty one) or cut short:
// the missing entries are appended from the table at their reset values, as
// a new project holds them, and a block without entries takes the table's
// head and foot texts where its own are empty.  Entries the block holds stay
// as they are, and a block whose entries are not the table's (a name differs)
// is left alone.  True when anything was added.
bool CompleteFromTable(PeripheralBlock& block, std::int32_t number);

// A block of the given number with the standard head and foot texts for
// `routine` ("UART_Init") and no registers.
PeripheralBlock MakeBlock(std::int32_t number, std::string_view routine);
// Appends a register at its reset value.
RegisterEntry& AddRegister(PeripheralBlock& block, std::string_view name, std::uint8_t resetValue);

}  // namespace regsmith
