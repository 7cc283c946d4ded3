// What a script cannot set up: a project holding the external oscillator mode
// 001, which the pages never write.

#include <gtest/gtest.h>

#include "pages/clocks/oscillator_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "tests/support/sheet_driver.h"
#include "view/command_ids.h"

namespace regsmith {
namespace {

using testing::OpenSheet;
using testing::SheetDriver;

TEST(OscillatorPages, UnusedExternalModeIsShownWithoutChangingTheBlock) {
    RegisterClockPages();
    RegisterPortIOPages();
    SheetDriver driver(0xD6);
    driver.SetValue(kBlockOscillators, "OSCXCN", 0x15);
    driver.Run(ID_PERIPHERALS_OSCILLATORS, [](OpenSheet& sheet) {
        sheet.Page("External Oscillator");
        for (const char* mode : {"External Oscillator Off", "External CMOS", "External CMOS / 2", "RC Oscillator",
                                 "Capacitor Oscillator", "Crystal Oscillator", "Crystal Oscillator / 2"})
            EXPECT_FALSE(sheet.IsChecked(mode)) << mode;
        EXPECT_TRUE(sheet.IsChecked("1.1MHz < f <= 3.1MHz"));  // bits 2-0 = 5
        std::vector<std::string> texts;
        for (const fw::Control* control : sheet.Form().AllControls())
            if (control->Kind() == fw::ControlKind::StaticText && control->Caption().find("XTAL") != std::string::npos)
                texts.push_back(control->Caption());
        EXPECT_TRUE(texts.empty()) << texts.front();
        EXPECT_EQ(sheet.Value("OSCXCN"), 0x15);
        sheet.Page("SYSCLK Select");
        sheet.Ok();
    });
    EXPECT_EQ(driver.Value(kBlockOscillators, "OSCXCN"), 0x15);
}

}  // namespace
}  // namespace regsmith
