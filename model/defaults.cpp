// The defaults of a new document: every peripheral block at its reset
// values, built from the register tables (model/register_tables.h).

#include "model/k74x_75x_doc.h"
#include "model/register_tables.h"

namespace regsmith {

namespace {

// Inserts block `number` at its reset values (insert-if-absent: a builder
// never replaces a block the map already holds).
void Insert(CDeviceData& data, std::int32_t number) {
    if (const BlockSpec* spec = FindBlockSpec(number)) data.blockMap.emplace(number, BuildDefaultBlock(*spec));
}

}  // namespace

void CK74x_75xDoc::InitResetSources() {
    Insert(deviceData, kBlockResetSources);
    Insert(deviceData, kBlockComparatorReset);
}
void CK74x_75xDoc::InitPCA() { Insert(deviceData, kBlockPca); }
void CK74x_75xDoc::InitTimer() { Insert(deviceData, kBlockTimers); }
void CK74x_75xDoc::InitUART() { Insert(deviceData, kBlockUart); }
void CK74x_75xDoc::InitSPI() { Insert(deviceData, kBlockSpi); }
void CK74x_75xDoc::InitADC() { Insert(deviceData, kBlockAdc); }
void CK74x_75xDoc::InitComparator() { Insert(deviceData, kBlockComparator); }
void CK74x_75xDoc::InitVoltageRef() { Insert(deviceData, kBlockVoltageReference); }
void CK74x_75xDoc::InitVoltageReg() { Insert(deviceData, kBlockVoltageRegulator); }
void CK74x_75xDoc::InitPortIO() { Insert(deviceData, kBlockPortIO); }
void CK74x_75xDoc::InitOscillator() { Insert(deviceData, kBlockOscillators); }
void CK74x_75xDoc::InitInterrupts() { Insert(deviceData, kBlockInterrupts); }

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
