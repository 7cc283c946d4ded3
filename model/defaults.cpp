// Reset values and routine texts of every peripheral block: the vocabulary of
// the generated code.  Entry positions are what the pages refer to.

#include "model/k74x_75x_doc.h"

namespace regsmith {

PeripheralBlock MakeBlock(std::int32_t number, const std::string& routine) {
    PeripheralBlock block;
    block.blockNumber = number;
    block.cHeader = "void " + routine + "()\r\n{";
    block.asmHeader = routine + ":\r\n";
    block.cFooter = "}";
    block.asmFooter = "    ret";
    return block;
}

RegisterEntry& AddRegister(PeripheralBlock& block, const std::string& name, std::uint8_t resetValue) {
    RegisterEntry entry;
    entry.index = static_cast<std::int32_t>(block.registers.size());
    entry.name = name;
    entry.value = resetValue;
    entry.resetValue = resetValue;
    block.registers.push_back(std::move(entry));
    return block.registers.back();
}

namespace {

void Insert(CDeviceData& data, PeripheralBlock block) {
    const std::int32_t number = block.blockNumber;
    data.blockMap.emplace(number, std::move(block));
}

PeripheralBlock ResetSourcesBlock(std::int32_t number, const std::string& routine) {
    PeripheralBlock block = MakeBlock(number, routine);
    RegisterEntry& vdm = AddRegister(block, "VDM0CN", 0x00);
    vdm.cAfter = "    for (i = 0; i < 20; i++);  // Wait 5us for initialization\r\n";
    vdm.asmAfter =
        "    clr  A                     ; Wait 5us for initialization\r\n"
        "    djnz ACC,       $\r\n";
    AddRegister(block, "RSTSRC", 0x00);
    return block;
}

}  // namespace

void CK74x_75xDoc::InitResetSources() {
    Insert(deviceData, ResetSourcesBlock(kBlockResetSources, "Reset_Sources_Init"));
    Insert(deviceData, ResetSourcesBlock(kBlockComparatorReset, "Comparator_Reset_Source_Init"));
}

void CK74x_75xDoc::InitPCA() {
    PeripheralBlock block = MakeBlock(kBlockPca, "PCA_Init");
    AddRegister(block, "PCA0CN", 0x00);
    RegisterEntry& md = AddRegister(block, "PCA0MD", 0x00);
    md.cBefore = "    PCA0MD    &= ~0x40;\r\n";
    md.asmBefore = "    anl  PCA0MD,    #0BFh\r\n";
    for (const char* name : {"PCA0CPM0", "PCA0CPM1", "PCA0CPM2", "PCA0L", "PCA0H", "PCA0CPL0", "PCA0CPL1"})
        AddRegister(block, name, 0x00);
    RegisterEntry& cpl2 = AddRegister(block, "PCA0CPL2", 0x00);
    cpl2.cAfter = "    PCA0MD    |= 0x40;\r\n";
    cpl2.asmAfter = "    orl  PCA0MD,    #040h\r\n";
    for (const char* name : {"PCA0CPH0", "PCA0CPH1", "PCA0CPH2"}) AddRegister(block, name, 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitTimer() {
    PeripheralBlock block = MakeBlock(kBlockTimers, "Timer_Init");
    for (const char* name :
         {"TCON", "TMOD", "CKCON", "TL0", "TL1", "TH0", "TH1", "TMR2CN", "TMR2RLL", "TMR2RLH", "TMR2L", "TMR2H"})
        AddRegister(block, name, 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitUART() {
    PeripheralBlock block = MakeBlock(kBlockUart, "UART_Init");
    AddRegister(block, "SCON0", 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitSPI() {
    PeripheralBlock block = MakeBlock(kBlockSpi, "SPI_Init");
    AddRegister(block, "SPI0CFG", 0x00);
    AddRegister(block, "SPI0CN", 0x04);
    AddRegister(block, "SPI0CKR", 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitADC() {
    PeripheralBlock block = MakeBlock(kBlockAdc, "ADC_Init");
    AddRegister(block, "ADC0MX", 0x1F);
    AddRegister(block, "ADC0CF", 0xF8);
    AddRegister(block, "ADC0CN", 0x00);
    AddRegister(block, "ADC0TK", 0xFF);
    AddRegister(block, "ADC0GTH", 0xFF);
    AddRegister(block, "ADC0GTL", 0xFF);
    AddRegister(block, "ADC0LTH", 0x00);
    AddRegister(block, "ADC0LTL", 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitComparator() {
    PeripheralBlock block = MakeBlock(kBlockComparator, "Comparator_Init");
    AddRegister(block, "CPT0CN", 0x00);
    AddRegister(block, "CPT0MX", 0xFF);
    AddRegister(block, "CPT0MD", 0x02);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitVoltageRef() {
    PeripheralBlock block = MakeBlock(kBlockVoltageReference, "Voltage_Reference_Init");
    AddRegister(block, "REF0CN", 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitVoltageReg() {
    PeripheralBlock block = MakeBlock(kBlockVoltageRegulator, "Voltage_Regulator_Init");
    AddRegister(block, "REG0CN", 0x10);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitPortIO() {
    PeripheralBlock block = MakeBlock(kBlockPortIO, "Port_IO_Init");
    AddRegister(block, "P0MDIN", 0xFF);
    AddRegister(block, "P1MDIN", 0xFF);
    AddRegister(block, "P0MDOUT", 0x00);
    AddRegister(block, "P1MDOUT", 0x00);
    AddRegister(block, "P0SKIP", 0x00);
    AddRegister(block, "P1SKIP", 0x00);
    AddRegister(block, "XBR0", 0x00);
    AddRegister(block, "XBR1", 0x00);
    AddRegister(block, "P0MAT", 0xFF);
    AddRegister(block, "P1MAT", 0xFF);
    AddRegister(block, "P0MASK", 0x00);
    AddRegister(block, "P1MASK", 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitOscillator() {
    PeripheralBlock block = MakeBlock(kBlockOscillators, "Oscillator_Init");
    AddRegister(block, "OSCXCN", 0x00);
    AddRegister(block, "OSCICN", 0xC0);
    AddRegister(block, "CLKSEL", 0x00);
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitInterrupts() {
    PeripheralBlock block = MakeBlock(kBlockInterrupts, "Interrupts_Init");
    AddRegister(block, "IP", 0x00);
    AddRegister(block, "EIE1", 0x00);
    AddRegister(block, "EIP1", 0x00);
    AddRegister(block, "IT01CF", 0x01);
    AddRegister(block, "IE", 0x00);  // last, so interrupts are enabled after everything else is set
    Insert(deviceData, std::move(block));
}

void CK74x_75xDoc::InitializePeripherals() {
    deviceData.blockMap.clear();
    clocks = kDefaultClockSettings;
    InitTimer();
    InitUART();
    InitOscillator();
    InitInterrupts();
    InitVoltageRef();
    InitVoltageReg();
    InitResetSources();
    InitComparator();
    InitPortIO();
    InitADC();
    InitPCA();
    InitSPI();
}

bool CK74x_75xDoc::OnNewDocument() {
    if (!CDeviceDocument::OnNewDocument()) return false;
    deviceId = modelDeviceId_;
    deviceData.deviceName = "QK740";
    deviceData.codeFormat = kCodeFormatC;
    InitializePeripherals();
    return true;
}

}  // namespace regsmith
