#pragma once
// The document class shared by the twelve QK74x_75x models: they differ only
// in the device id written into a new document.

#include "model/device_document.h"

namespace regsmith {

class CK74x_75xDoc : public CDeviceDocument {
public:
    explicit CK74x_75xDoc(std::uint8_t modelDeviceId) : modelDeviceId_(modelDeviceId) {}

    std::uint8_t ModelDeviceId() const { return modelDeviceId_; }

    bool OnNewDocument() override;
    void InitializePeripherals() override;
    void Serialize(fw::CArchive& archive) override;
    bool OnOpenDocument(const std::string& path) override;
    bool RecognisesFile(std::string_view firstBytes) const override;
    // What differs from a new document of this document's model.
    void DumpChanges(std::ostream& out) const override;

    // Default builders: each inserts its block(s) at reset values.
    void InitTimer();
    void InitUART();
    void InitOscillator();
    void InitInterrupts();
    void InitVoltageRef();
    void InitVoltageReg();
    void InitResetSources();
    void InitComparator();
    void InitPortIO();
    void InitADC();
    void InitPCA();
    void InitSPI();

private:
    void ForgetFileContents();

    std::uint8_t modelDeviceId_;
};

}  // namespace regsmith
