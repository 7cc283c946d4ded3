// The calculators that open the Oscillators sheet ("Change Clock Frequencies"
// in "Calculate Timeout Interval", "Change Clock Frequency" in "Calculate
// SCK"), driven in-process through the script runner with probe pages under
// the oscillator pages' tab titles: the pages each opens, the fields reloaded
// after OK, the clocks put back on Cancel, and the ECI word that stays.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "cli/script.h"
#include "model/k74x_75x_doc.h"
#include "pages/pca/pca_sheets.h"
#include "pages/spi/spi_sheets.h"
#include "view/command_ids.h"
#include "view/device_page.h"
#include "view/k74x_75x_view.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

std::map<std::string, int> probesBuilt;

// Stands in for an oscillator page: "Set Clocks" changes SYSCLK and the
// external oscillator through the document's words, "Set OSCICN" its own block.
class OscillatorProbePage : public fw::PropertyPage, public CDevicePage {
public:
    OscillatorProbePage(std::string title, SheetContext& context)
        : fw::PropertyPage(title), CDevicePage(context.Block(kBlockOscillators)) {
        ++probesBuilt[title];
        auto& clocks = Root().Add<fw::PushButton>("Set Clocks");
        clocks.onChange = [&context] {
            context.Clocks().sysclk = 24500000;
            context.Clocks().externalOscFrequency = 32768;
        };
        auto& slow = Root().Add<fw::PushButton>("Set Slow Clocks");
        slow.onChange = [&context] {
            context.Clocks().sysclk = 1000;
            context.Clocks().externalOscFrequency = 8;
        };
        auto& oscicn = Root().Add<fw::CheckBox>("Set OSCICN");
        oscicn.onChange = [this] { SetValue(reg::OSCICN, 0x83); };
    }
};

fw::MenuResource TestMenu() {
    using fw::MenuItem;
    return {MenuItem::Popup("&Peripherals", {MenuItem::Command("PCA", ID_PERIPHERALS_PCA),
                                             MenuItem::Command("SPI", ID_PERIPHERALS_SPI)})};
}

class NestedClocksTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSheetRegistry();
        probesBuilt.clear();
        RegisterPcaPages();
        RegisterSpiPages();
        std::vector<PageRegistration> probes;
        for (const char* title : {"Internal Oscillator", "External Oscillator", "SYSCLK Select"})
            probes.push_back({title, [title](SheetContext& context) -> std::unique_ptr<fw::PropertyPage> {
                                  return std::make_unique<OscillatorProbePage>(title, context);
                              }});
        RegisterSheetPages(ID_PERIPHERALS_OSCILLATORS, std::move(probes));
        app.AddDocTemplate(std::make_unique<fw::CMultiDocTemplate>(
            17076, "\nQK740 \nQK740",
            [this]() -> std::unique_ptr<fw::CDocument> {
                auto document = std::make_unique<CK74x_75xDoc>(0xD0);
                last = document.get();
                return document;
            },
            []() -> std::unique_ptr<fw::CView> { return std::make_unique<CK74x_75xView>(); }, TestMenu()));
    }
    void TearDown() override { ClearSheetRegistry(); }

    // Runs the script; returns its output, or the error as "line N: reason".
    // The runner (and the projects it opened) live until the test ends.
    std::string Run(const std::string& script) {
        in = std::make_unique<std::istringstream>(script);
        out = std::make_unique<std::ostringstream>();
        runner = std::make_unique<cli::ScriptRunner>(app, *in, *out);
        try {
            runner->Run();
        } catch (const cli::ScriptError& failure) {
            *out << "line " << failure.line << ": " << failure.reason << "\n";
        }
        return out->str();
    }
    std::uint8_t DocumentValue(std::int32_t block, int entry) {
        PeripheralBlock copy;
        last->GetBlock(copy, block);
        return copy.registers.at(static_cast<std::size_t>(entry)).value;
    }

    fw::CWinApp app;
    CK74x_75xDoc* last = nullptr;
    std::unique_ptr<std::istringstream> in;
    std::unique_ptr<std::ostringstream> out;
    std::unique_ptr<cli::ScriptRunner> runner;
};



TEST_F(NestedClocksTest, TimeoutCalculatorReloadsItsClocksAfterOkAndKeepsThemOnCancel) {
    const std::string out = Run(
        "new QK740\n"
        "menu PCA\n"
        "page \"Module 2/WDT\"\n"
        "click \"Change Timeout Interval\"\n"
        "click \"Change Clock Frequencies\"\n"
        "click \"Set Clocks\"\n"
        "click \"Set OSCICN\"\n"
        "ok\n"
        "show \"SYSCLK Frequency\"\n"
        "show \"External Oscillator Frequency\"\n"
        "show \"Timer 0 Frequency\"\n"
        "click \"Change Clock Frequencies\"\n"
        "click \"Set Slow Clocks\"\n"
        "cancel\n"
        "show \"SYSCLK Frequency\"\n"
        "click \"ECI Source:\"\n"
        "type \"ECI Pin Frequency\" 32768\n"
        "ok\n"
        "show \"ECI Source Frequency\"\n"
        "type \"Target Timeout Interval\" 1000\n"
        "ok\n"
        "answer yes\n"
        "show \"Timeout Interval:\"\n"
        "cancel\n");
    EXPECT_EQ(out,
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n"
              "edit \"External Oscillator Frequency\" = \"32768\" disabled\n"
              "edit \"Timer 0 Frequency\" = \"7975\" disabled\n"  // 24500000 / 12 / 256
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n"
              "edit \"ECI Source Frequency\" = \"32768\" disabled\n"
              "message: Change PCA0's Data to:\\n\\n PCA0CPL2 = 7F\\n Clock Source: High to Low Transitions on ECI\n"
              "edit \"Timeout Interval:\" = \"1000.0\" disabled\n");
    // The internal and external oscillator pages only, twice.
    EXPECT_EQ(probesBuilt, (std::map<std::string, int>{{"Internal Oscillator", 2}, {"External Oscillator", 2}}));
    // The accepted Oscillators sheet and the ECI word stay although the PCA
    // sheet was cancelled; the cancelled one put its clocks back.
    EXPECT_EQ(last->clocks.sysclk, 24500000u);
    EXPECT_EQ(last->clocks.externalOscFrequency, 32768u);
    EXPECT_EQ(last->clocks.pcaClockWord, 32768u);
    EXPECT_EQ(DocumentValue(kBlockOscillators, reg::OSCICN), 0x83);
    EXPECT_EQ(DocumentValue(kBlockPca, reg::PCA0CPL2), 0x00);
}

TEST_F(NestedClocksTest, SckCalculatorOpensTheThreeOscillatorPages) {
    const std::string out = Run(
        "new QK740\n"
        "menu SPI\n"
        "click \"Change SCK\"\n"
        "show \"SYSCLK Frequency\"\n"
        "click \"Change Clock Frequency\"\n"
        "page \"SYSCLK Select\"\n"
        "click \"Set Clocks\"\n"
        "ok\n"
        "show \"SYSCLK Frequency\"\n"
        "type \"Target SCK Frequency\" 1000000\n"
        "ok\n"
        "answer yes\n"
        "show \"Clock Rate for SPI\"\n"
        "click \"Change SCK\"\n"
        "click \"Change Clock Frequency\"\n"
        "click \"Set Slow Clocks\"\n"
        "cancel\n"
        "show \"SYSCLK Frequency\"\n"
        "cancel\n"
        "ok\n");
    EXPECT_EQ(out,
              "edit \"SYSCLK Frequency\" = \"191406\" disabled\n"
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n"
              "message: Change SPI0CKR Data to:\\n\\n SPI0CKR = 0B\n"
              "edit \"Clock Rate for SPI\" = \"1020833\" disabled\n"
              "edit \"SYSCLK Frequency\" = \"24500000\" disabled\n");
    EXPECT_EQ(probesBuilt, (std::map<std::string, int>{
                               {"Internal Oscillator", 2}, {"External Oscillator", 2}, {"SYSCLK Select", 2}}));
    EXPECT_EQ(last->clocks.sysclk, 24500000u);
    EXPECT_EQ(DocumentValue(kBlockSpi, reg::SPI0CKR), 0x0B);
}

TEST_F(NestedClocksTest, ButtonsAreDisabledWhileTheOscillatorPagesAreMissing) {
    ClearSheetRegistry();
    RegisterPcaPages();
    RegisterSpiPages();
    const std::string out = Run(
        "new QK740\n"
        "menu SPI\n"
        "click \"Change SCK\"\n"
        "show \"Change Clock Frequency\"\n"
        "cancel\n"
        "cancel\n"
        "menu PCA\n"
        "page \"Module 2/WDT\"\n"
        "click \"Change Timeout Interval\"\n"
        "show \"Change Clock Frequencies\"\n"
        "cancel\n"
        "cancel\n");
    EXPECT_EQ(out,
              "button \"Change Clock Frequency\" disabled\n"
              "button \"Change Clock Frequencies\" disabled\n");
}

}  // namespace
}  // namespace regsmith
