#pragma once
// "PCA0": the PCA counter/timer: run and idle control, its time base (the
// ECI pin's frequency asked for when that time base is chosen), the initial
// count, the overflow interrupt and the PCA interrupt's status.

#include "pages/pca/pca_page.h"

namespace regsmith {

inline constexpr const char* kPca0PageTitle = "PCA0";

class CPca0PropPage : public CPcaPage {
public:
    explicit CPca0PropPage(SheetContext& sheet);

private:
    void AskEciFrequency();
};

}  // namespace regsmith
