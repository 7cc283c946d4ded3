#include "model/register_tables.h"

#include <string>

namespace regsmith {

namespace {

// The entry names of the enumerations above must stand at their positions in
// the tables: a page that writes reg::TMOD writes the TMOD line.
constexpr bool At(std::int32_t block, int index, std::string_view name) {
    return RegisterName(block, index) == name;
}
static_assert(At(kBlockResetSources, reg::VDM0CN, "VDM0CN") && At(kBlockResetSources, reg::RSTSRC, "RSTSRC"));
static_assert(At(kBlockComparatorReset, reg::RSTSRC, "RSTSRC"));
static_assert(At(kBlockPca, reg::PCA0CN, "PCA0CN") && At(kBlockPca, reg::PCA0MD, "PCA0MD") &&
              At(kBlockPca, reg::PCA0CPM0, "PCA0CPM0") && At(kBlockPca, reg::PCA0CPM2, "PCA0CPM2") &&
              At(kBlockPca, reg::PCA0L, "PCA0L") && At(kBlockPca, reg::PCA0H, "PCA0H") &&
              At(kBlockPca, reg::PCA0CPL0, "PCA0CPL0") && At(kBlockPca, reg::PCA0CPL2, "PCA0CPL2") &&
              At(kBlockPca, reg::PCA0CPH0, "PCA0CPH0") && At(kBlockPca, reg::PCA0CPH2, "PCA0CPH2"));
static_assert(At(kBlockTimers, reg::TCON, "TCON") && At(kBlockTimers, reg::TMOD, "TMOD") &&
              At(kBlockTimers, reg::CKCON, "CKCON") && At(kBlockTimers, reg::TL0, "TL0") &&
              At(kBlockTimers, reg::TL1, "TL1") && At(kBlockTimers, reg::TH0, "TH0") &&
              At(kBlockTimers, reg::TH1, "TH1") && At(kBlockTimers, reg::TMR2CN, "TMR2CN") &&
              At(kBlockTimers, reg::TMR2RLL, "TMR2RLL") && At(kBlockTimers, reg::TMR2RLH, "TMR2RLH") &&
              At(kBlockTimers, reg::TMR2L, "TMR2L") && At(kBlockTimers, reg::TMR2H, "TMR2H"));
static_assert(At(kBlockUart, reg::SCON0, "SCON0"));
static_assert(At(kBlockSpi, reg::SPI0CFG, "SPI0CFG") && At(kBlockSpi, reg::SPI0CN, "SPI0CN") &&
              At(kBlockSpi, reg::SPI0CKR, "SPI0CKR"));
static_assert(At(kBlockAdc, reg::ADC0MX, "ADC0MX") && At(kBlockAdc, reg::ADC0CF, "ADC0CF") &&
              At(kBlockAdc, reg::ADC0CN, "ADC0CN") && At(kBlockAdc, reg::ADC0TK, "ADC0TK") &&
              At(kBlockAdc, reg::ADC0GTH, "ADC0GTH") && At(kBlockAdc, reg::ADC0GTL, "ADC0GTL") &&
              At(kBlockAdc, reg::ADC0LTH, "ADC0LTH") && At(kBlockAdc, reg::ADC0LTL, "ADC0LTL"));
static_assert(At(kBlockComparator, reg::CPT0CN, "CPT0CN") && At(kBlockComparator, reg::CPT0MX, "CPT0MX") &&
              At(kBlockComparator, reg::CPT0MD, "CPT0MD"));
static_assert(At(kBlockVoltageReference, reg::REF0CN, "REF0CN"));
static_assert(At(kBlockVoltageRegulator, reg::REG0CN, "REG0CN"));
static_assert(At(kBlockPortIO, reg::P0MDIN, "P0MDIN") && At(kBlockPortIO, reg::P1MDIN, "P1MDIN") &&
              At(kBlockPortIO, reg::P0MDOUT, "P0MDOUT") && At(kBlockPortIO, reg::P1MDOUT, "P1MDOUT") &&
              At(kBlockPortIO, reg::P0SKIP, "P0SKIP") && At(kBlockPortIO, reg::P1SKIP, "P1SKIP") &&
              At(kBlockPortIO, reg::XBR0, "XBR0") && At(kBlockPortIO, reg::XBR1, "XBR1") &&
              At(kBlockPortIO, reg::P0MAT, "P0MAT") && At(kBlockPortIO, reg::P1MAT, "P1MAT") &&
              At(kBlockPortIO, reg::P0MASK, "P0MASK") && At(kBlockPortIO, reg::P1MASK, "P1MASK"));
static_assert(At(kBlockOscillators, reg::OSCXCN, "OSCXCN") && At(kBlockOscillators, reg::OSCICN, "OSCICN") &&
              At(kBlockOscillators, reg::CLKSEL, "CLKSEL"));
static_assert(At(kBlockInterrupts, reg::IP, "IP") && At(kBlockInterrupts, reg::EIE1, "EIE1") &&
              At(kBlockInterrupts, reg::EIP1, "EIP1") && At(kBlockInterrupts, reg::IT01CF, "IT01CF") &&
              At(kBlockInterrupts, reg::IE, "IE"));

// Entries of one block compare; entries of two blocks are different types
// that do not.
template <class A, class B>
concept Comparable = requires(A a, B b) { a == b; };
static_assert(Comparable<decltype(reg::TCON), decltype(reg::TMOD)>);
static_assert(!Comparable<decltype(reg::TCON), decltype(reg::IP)>);

}  // namespace

PeripheralBlock MakeBlock(std::int32_t number, std::string_view routine) {
    const std::string name(routine);
    PeripheralBlock block;
    block.blockNumber = number;
    block.cHeader = "void " + name + "()\r\n{";
    block.asmHeader = name + ":\r\n";
    block.cFooter = "}";
    block.asmFooter = "    ret";
    return block;
}

RegisterEntry& AddRegister(PeripheralBlock& block, std::string_view name, std::uint8_t resetValue) {
    RegisterEntry entry;
    entry.index = static_cast<std::int32_t>(block.registers.size());
    entry.name = name;
    entry.value = resetValue;
    entry.resetValue = resetValue;
    block.registers.push_back(std::move(entry));
    return block.registers.back();
}

PeripheralBlock BuildDefaultBlock(const BlockSpec& spec) {
    PeripheralBlock block = MakeBlock(spec.number, spec.routine);
    block.registers.reserve(spec.registers.size());
    for (const RegisterSpec& row : spec.registers) {
        RegisterEntry& entry = AddRegister(block, row.name, row.resetValue);
        entry.cBefore = row.cBefore;
        entry.asmBefore = row.asmBefore;
        entry.cAfter = row.cAfter;
        entry.asmAfter = row.asmAfter;
    }
    return block;
}

bool CompleteFromTable(PeripheralBlock& block, std::int32_t number) {
    const BlockSpec* spec = FindBlockSpec(number);
    if (!spec || block.registers.size() >= spec->registers.size()) return false;
    for (std::size_t i = 0; i < block.registers.size(); ++i)
        if (block.registers[i].name != spec->registers[i].name) return false;
    const PeripheralBlock defaults = BuildDefaultBlock(*spec);
    if (block.registers.empty()) {
        block.blockNumber = number;
        for (auto text : {&PeripheralBlock::cHeader, &PeripheralBlock::asmHeader, &PeripheralBlock::cPrologue,
                          &PeripheralBlock::asmPrologue, &PeripheralBlock::cFooter, &PeripheralBlock::asmFooter})
            if ((block.*text).empty()) block.*text = defaults.*text;
    }
    block.registers.insert(block.registers.end(), defaults.registers.begin() + static_cast<std::ptrdiff_t>(block.registers.size()),
                           defaults.registers.end());
    return true;
}

}  // namespace regsmith
