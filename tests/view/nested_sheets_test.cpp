// The nested sheets of view/nested_sheets.h on the real interrupt and port
// I/O pages, as a page's "Configure ..." button runs them: OK writes the
// block from the caller's copy at once, Cancel writes nothing and gives the
// caller its copy back as it was, fresh copies ignore the caller's edits; the
// code window stays the outer sheet's.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "pages/interrupts/interrupt_sheets.h"
#include "pages/portio/portio_sheets.h"
#include "tests/support/sheet_driver.h"
#include "view/nested_sheets.h"
#include "view/sheet_commands.h"

namespace regsmith {
namespace {

using testing::OpenSheet;
using testing::Register;
using testing::SheetDriver;

constexpr fw::DialogResult kOk = fw::DialogResult::Ok;
constexpr fw::DialogResult kCancel = fw::DialogResult::Cancel;

struct Edit {
    std::int32_t block;
    const char* reg;
    std::uint8_t value;
};
using Values = std::vector<std::pair<const char*, std::uint8_t>>;

struct NestedCase {
    const char* name;
    NestedSheet which;
    std::int32_t block;       // the block the sheet writes
    std::vector<Edit> edits;  // what the caller's copies already hold
    bool freshContext;        // run on a context that took `block` fresh from the document
    std::vector<fw::DialogResult> answers;
    SheetDriver::User user;  // looks and clicks, then OK or Cancel
    fw::DialogResult result;
    // The caller's copy of `block` and the document's block afterwards: these
    // register values, everything else as before (the whole block when none).
    Values callers, document;
    std::function<void(SheetDriver&, SheetContext&)> after;  // more checks, or null
};

std::string ValuesOf(const PeripheralBlock& block) {
    std::string text;
    for (const RegisterEntry& entry : block.registers) text += entry.name + "=" + std::to_string(entry.value) + " ";
    return text;
}

void ExpectBlock(const PeripheralBlock& after, PeripheralBlock before, const Values& changed) {
    if (changed.empty()) {
        EXPECT_EQ(after, before);
        return;
    }
    for (const auto& [name, value] : changed) Register(before, name).value = value;
    EXPECT_EQ(ValuesOf(after), ValuesOf(before));
}

std::string CrossbarRow7(OpenSheet& sheet) { return sheet.Get<fw::Grid>("Crossbar Assignment").Text(7, 0); }

const NestedCase kCases[] = {
    {"Interrupts: OK writes both pages from the caller's copy", NestedSheet::Interrupts, kBlockInterrupts,
     {{kBlockInterrupts, "IE", 0x02}}, false, {},
     [](OpenSheet& sheet) {
         EXPECT_EQ(sheet.Title(), "Interrupts");
         ASSERT_EQ(sheet.Sheet().PageCount(), 2);
         EXPECT_EQ(sheet.Sheet().Page(0).Title(), "Enable Interrupts");
         EXPECT_EQ(sheet.Sheet().Page(1).Title(), "Interrupt Priority");
         EXPECT_TRUE(sheet.IsChecked("Enable Timer 0 Interrupt"));
         sheet.Click("Enable All Interrupts   (If not checked, all interrupts are ignored)");
         sheet.Page("Interrupt Priority");
         sheet.Click("Set Timer 0 Priority High");
         sheet.Ok();
     },
     kOk, {{"IE", 0x82}, {"IP", 0x02}}, {{"IE", 0x82}, {"IP", 0x02}}, nullptr},
    // A later accepted sheet does not carry the cancelled edits into the document.
    {"Interrupts: Cancel", NestedSheet::Interrupts, kBlockInterrupts, {{kBlockInterrupts, "IE", 0x02}}, false, {},
     [](OpenSheet& sheet) {
         sheet.Click("Enable SPI0 Interrupt");
         sheet.Cancel();
     },
     kCancel, {}, {},
     [](SheetDriver& driver, SheetContext& outer) {
         EXPECT_EQ(driver.RunNested([&] { return RunNestedSheet(NestedSheet::Interrupts, outer); },
                                    [](OpenSheet& sheet) {
                                        sheet.Click("Enable PCA0 Interrupt");
                                        sheet.Ok();
                                    }),
                   kOk);
         EXPECT_EQ(driver.Value(kBlockInterrupts, "IE"), 0x02);
         EXPECT_EQ(driver.Value(kBlockInterrupts, "EIE1"), 0x04);
     }},
    {"INT0/INT1 Configuration alone: OK", NestedSheet::Int01Config, kBlockInterrupts, {}, false, {},
     [](OpenSheet& sheet) {
         EXPECT_EQ(sheet.Title(), "Interrupts");
         ASSERT_EQ(sheet.Sheet().PageCount(), 1);
         EXPECT_EQ(sheet.Form().Title(), "INT0/INT1 Configuration");
         sheet.Select("/INT0 Port Pin Selection", "P0.3");
         sheet.Ok();
     },
     kOk, {{"IT01CF", 0x03}}, {{"IT01CF", 0x03}}, nullptr},
    {"INT0/INT1 Configuration alone: Cancel", NestedSheet::Int01Config, kBlockInterrupts,
     {{kBlockInterrupts, "IE", 0x02}}, false, {},
     [](OpenSheet& sheet) {
         sheet.Select("/INT0 Port Pin Selection", "P0.4");
         sheet.Cancel();
     },
     kCancel, {}, {}, nullptr},
    {"Interrupts on a fresh copy: the caller's copy stays", NestedSheet::Interrupts, kBlockInterrupts,
     {{kBlockInterrupts, "IE", 0x02}}, true, {},
     [](OpenSheet& sheet) {
         EXPECT_FALSE(sheet.IsChecked("Enable Timer 0 Interrupt"));
         sheet.Click("Enable Timer 1 Interrupt");
         sheet.Ok();
     },
     kOk, {}, {{"IE", 0x08}}, nullptr},
    {"Port I/O: OK writes block 11 from the caller's copy", NestedSheet::PortIO, kBlockPortIO, {}, false,
     {fw::DialogResult::No},  // OK asks whether to enable the crossbar as well
     [](OpenSheet& sheet) {
         EXPECT_EQ(sheet.Title(), "Port I/O");
         ASSERT_EQ(sheet.Sheet().PageCount(), 1);
         EXPECT_EQ(sheet.Form().Title(), "Priority Crossbar");
         ASSERT_TRUE(sheet.Click("UART0"));
         sheet.Ok();
     },
     kOk, {{"XBR0", 0x01}}, {{"XBR0", 0x01}},
     [](SheetDriver& driver, SheetContext&) {
         EXPECT_NE(driver.Block(kBlockPortIO).cPrologue.find("TX   (UART)"), std::string::npos);
     }},
    {"Port I/O: Cancel", NestedSheet::PortIO, kBlockPortIO, {{kBlockPortIO, "P0SKIP", 0x01}}, false, {},
     [](OpenSheet& sheet) {
         EXPECT_TRUE(sheet.IsChecked("Skip P0.0"));  // works on the caller's copy
         ASSERT_TRUE(sheet.Click("SYSCLK"));
         sheet.Cancel();
     },
     kCancel, {}, {}, nullptr},
    {"Port I/O on fresh copies ignores the caller's edits", NestedSheet::PortIOFresh, kBlockPortIO,
     {{kBlockPortIO, "P0SKIP", 0x01}, {kBlockSpi, "SPI0CN", 0x00}}, false, {fw::DialogResult::Yes},
     [](OpenSheet& sheet) {
         EXPECT_FALSE(sheet.IsChecked("Skip P0.0"));
         EXPECT_EQ(CrossbarRow7(sheet), "NSS");  // the document's SPI0CN: four-wire
         ASSERT_TRUE(sheet.Click("ECI"));
         sheet.Ok();
     },
     kOk, {}, {{"XBR1", 0x48}}, nullptr},
    // The SPI page hands its own copy: the wire mode the crossbar shows is the page's.
    {"Port I/O with the caller's SPI copy", NestedSheet::PortIOWithOwnSpi, kBlockPortIO,
     {{kBlockSpi, "SPI0CN", 0x00}}, false, {},
     [](OpenSheet& sheet) {
         EXPECT_EQ(CrossbarRow7(sheet), "NSS*");
         sheet.Cancel();
     },
     kCancel, {}, {}, nullptr},
};

TEST(NestedSheets, OkCancelAndFreshCopies) {
    for (const NestedCase& row : kCases) {
        SCOPED_TRACE(row.name);
        ClearSheetRegistry();
        RegisterInterruptPages();
        RegisterPortIOPages();
        SheetDriver driver(0xD0);
        SheetContext outer(driver.Document());
        for (const Edit& edit : row.edits) Register(outer.Block(edit.block), edit.reg).value = edit.value;
        const PeripheralBlock callersBefore = outer.Block(row.block);
        const PeripheralBlock documentBefore = driver.Block(row.block);
        const std::string textBefore = driver.Text();
        SheetContext fresh(outer);
        if (row.freshContext) fresh.CopyOut(row.block);
        for (fw::DialogResult answer : row.answers) driver.Answer(answer);

        EXPECT_EQ(driver.RunNested([&] { return RunNestedSheet(row.which, row.freshContext ? fresh : outer); }, row.user),
                  row.result);
        EXPECT_TRUE(driver.Platform().answers.empty()) << "a question was not asked";
        ExpectBlock(outer.Block(row.block), callersBefore, row.callers);
        ExpectBlock(driver.Block(row.block), documentBefore, row.document);
        EXPECT_EQ(driver.Text(), textBefore);  // the nested sheet leaves the code window to the outer sheet
        if (row.after) row.after(driver, outer);
    }
    ClearSheetRegistry();
}

}  // namespace
}  // namespace regsmith
