#include "model/register_fields.h"

#include <array>

#include "model/crossbar.h"
#include "model/register_tables.h"

namespace regsmith {

namespace {

// Every record above, in the order the tools list them.
using namespace field;
constexpr RegisterField kFields[] = {
    IE_EA, IE_ESPI0, IE_ET2, IE_ES0, IE_ET1, IE_EX1, IE_ET0, IE_EX0,
    EIE1_EMAT, EIE1_EREG0, EIE1_ELIN, EIE1_ECPR, EIE1_ECPF, EIE1_EPCA0, EIE1_EADC0, EIE1_EWADC0,
    IP_PSPI0, IP_PT2, IP_PS0, IP_PT1, IP_PX1, IP_PT0, IP_PX0,
    EIP1_PMAT, EIP1_PREG0, EIP1_PLIN, EIP1_PCPR, EIP1_PCPF, EIP1_PPCA0, EIP1_PADC0, EIP1_PWADC0,
    IT01CF_IN1PL, IT01CF_IN1SL, IT01CF_IN0PL, IT01CF_IN0SL,
    XBR0_CP0AE, XBR0_CP0E, XBR0_SYSCKE, XBR0_LINE, XBR0_SPI0E, XBR0_URT0E,
    XBR1_WEAKPUD, XBR1_XBARE, XBR1_T1E, XBR1_T0E, XBR1_ECIE, XBR1_PCA0ME,
    OSCXCN_XOSCMD, OSCXCN_XFCN, OSCICN_IOSCEN, OSCICN_IFCN, CLKSEL_CLKDIV, CLKSEL_CLKSL,
    TCON_TR1, TCON_TR0, TCON_IT1, TCON_IT0,
    TMOD_GATE1, TMOD_CT1, TMOD_T1M, TMOD_GATE0, TMOD_CT0, TMOD_T0M,
    CKCON_T2MH, CKCON_T2ML, CKCON_T1M, CKCON_T0M, CKCON_SCA,
    TMR2CN_TF2LEN, TMR2CN_T2CE, TMR2CN_T2SPLIT, TMR2CN_TR2, TMR2CN_T2XCLK,
    SCON0_S0MODE, SCON0_MCE0, SCON0_REN0,
    PCA0CN_CR, PCA0MD_CIDL, PCA0MD_WDLCK, PCA0MD_CPS, PCA0MD_ECF,
    PCA0CPM0_MODE, PCA0CPM0_ECCF, PCA0CPM1_MODE, PCA0CPM1_ECCF, PCA0CPM2_MODE, PCA0CPM2_ECCF,
    SPI0CFG_MSTEN, SPI0CFG_CKPHA, SPI0CFG_CKPOL, SPI0CN_NSSMD, SPI0CN_SPIEN,
    ADC0MX_AMX0P, ADC0CF_AD0SC, ADC0CF_AD0RPT, ADC0CN_AD0EN, ADC0CN_BURSTEN, ADC0CN_AD0LJST, ADC0CN_AD0CM,
    ADC0TK_AD0PWR, ADC0TK_AD0TM, ADC0TK_AD0TK,
    CPT0CN_CP0EN, CPT0CN_CP0HYP, CPT0CN_CP0HYN, CPT0MX_CMX0N, CPT0MX_CMX0P,
    CPT0MD_CP0HSE, CPT0MD_CP0RIE, CPT0MD_CP0FIE, CPT0MD_CP0MD,
    REF0CN_ZTCEN, REF0CN_REFLV, REF0CN_REFSL, REF0CN_TEMPE, REF0CN_BIASE, REF0CN_REFBE,
    REG0CN_REGDIS, REG0CN_REG0MD,
    VDM0CN_VDMEN, VDM0CN_VDMLVL, RSTSRC_C0RSEF, RSTSRC_MCDRSF, RSTSRC_PORSF,
};

// The port registers hold one bit per pin: P0 in the P0 entry, P1 in the P1 entry.
struct PinRegister {
    int entry;
    int port;
    std::string_view prefix;  // "Skip" gives "Skip P0.3"
    std::string_view suffix;
};
constexpr std::array<PinRegister, 10> kPinRegisters{{
    {reg::P0MDIN, 0, "Input", " digital"},
    {reg::P1MDIN, 1, "Input", " digital"},
    {reg::P0MDOUT, 0, "Output", " push-pull"},
    {reg::P1MDOUT, 1, "Output", " push-pull"},
    {reg::P0SKIP, 0, "Skip", ""},
    {reg::P1SKIP, 1, "Skip", ""},
    {reg::P0MAT, 0, "Match", " value"},
    {reg::P1MAT, 1, "Match", " value"},
    {reg::P0MASK, 0, "Match", " compared"},
    {reg::P1MASK, 1, "Match", " compared"},
}};

// The pin fields' names, built once and kept for the string views.
const std::vector<std::string>& PinFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const PinRegister& pins : kPinRegisters)
            for (int bit = 7; bit >= 0; --bit)
                all.push_back(std::string(pins.prefix) + " " + PinName(pins.port * 8 + bit) + std::string(pins.suffix));
        return all;
    }();
    return names;
}

}  // namespace

std::vector<RegisterField> FieldsOf(std::int32_t block, int entry) {
    std::vector<RegisterField> fields;
    // Block 8 writes only RSTSRC of the reset sources' table.
    const bool comparatorReset = block == kBlockComparatorReset && entry == reg::RSTSRC;
    for (RegisterField field : kFields) {
        if (field.entry != entry || (field.block != block && !(comparatorReset && field.block == kBlockResetSources)))
            continue;
        field.block = block;
        fields.push_back(field);
    }
    if (block != kBlockPortIO) return fields;
    for (std::size_t row = 0; row < kPinRegisters.size(); ++row) {
        if (kPinRegisters[row].entry != entry) continue;
        for (int bit = 7; bit >= 0; --bit)
            fields.push_back({block, entry, static_cast<std::uint8_t>(1u << bit),
                              PinFieldNames()[row * 8 + static_cast<std::size_t>(7 - bit)]});
    }
    return fields;
}

unsigned FieldValue(const RegisterField& field, std::uint8_t value) {
    return static_cast<unsigned>(value & field.mask) >> FieldShift(field.mask);
}

}  // namespace regsmith
