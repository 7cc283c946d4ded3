// CDevicePage: bit operations, the register summary box and the hex fields;
// CDeviceDlg's Reset button.

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/recording_platform.h"
#include "view/device_dlg.h"
#include "view/device_page.h"

namespace regsmith {
namespace {

using testing::TestApp;

PeripheralBlock SampleBlock() {
    PeripheralBlock block;
    AddRegister(block, "SCON0", 0x00);
    AddRegister(block, "TMOD", 0x00);
    RegisterEntry& long_name = AddRegister(block, "PCA0CPL2XX", 0x00);
    long_name.value = 0x01;
    RegisterEntry& hidden = AddRegister(block, "IE", 0x00);
    hidden.cBefore = "    // before IE\r\n";
    hidden.cAfter = "    // after IE\r\n";
    return block;
}

class PlainPage : public fw::PropertyPage, public CDevicePage {
public:
    explicit PlainPage(PeripheralBlock& block) : fw::PropertyPage("Plain"), CDevicePage(block) {}
    void OnReset() override { ++resets; ResetRegisters(); }
    int resets = 0;
};

TEST(CDevicePage, BindsTheOwnBlocksRecordsAndRefusesOthers) {
    TestApp app;
    PeripheralBlock block = SampleBlock();
    block.blockNumber = kBlockUart;
    PlainPage page(block);
    fw::CheckBox& box = page.BindCheck(page.Root(), field::SCON0_REN0);
    EXPECT_EQ(box.Caption(), "Enable UART0 Reception");
    box.Click();
    EXPECT_EQ(block.registers[0].value, 0x10);
    EXPECT_THROW(page.BindCheck(page.Root(), field::IE_ES0), std::logic_error);
    EXPECT_THROW(page.TestBits(field::TMOD_T0M), std::logic_error);
}

TEST(CDevicePage, BitOperationsActOnTheValueOnly) {
    PeripheralBlock block = SampleBlock();
    CDevicePage page(block);
    page.SetBits(true, 0, 0x90);
    EXPECT_EQ(block.registers[0].value, 0x90);
    page.SetBits(false, 0, 0x10);
    EXPECT_EQ(block.registers[0].value, 0x80);
    EXPECT_TRUE(page.TestBits(0, 0x81));
    EXPECT_FALSE(page.TestBits(0, 0x01));
    page.ReplaceBits(0, 0xF0, 0x30);
    EXPECT_EQ(block.registers[0].value, 0x30);
    EXPECT_EQ(block.registers[0].resetValue, 0x00);
    block.registers[1].value = 0xA5;
    EXPECT_EQ(page.FieldHex(1, 0xF0, 4), "0A");
    EXPECT_EQ(page.FieldHex(1, 0xFF, 0), "A5");
    EXPECT_EQ(page.FieldHex(1, 0x07, 0), "05");
}

TEST(CDevicePage, MissingEntriesReadAsClearAndIgnoreWrites) {
    PeripheralBlock empty;  // GetBlock of a block an old project lacks
    CDevicePage page(empty);
    page.SetBits(true, 3, 0xFF);
    page.ReplaceBits(-1, 0xFF, 0x01);
    EXPECT_FALSE(page.TestBits(3, 0xFF));
    EXPECT_EQ(page.FieldHex(7, 0xFF, 0), "00");
    EXPECT_EQ(page.RegisterPreview(), "");
}

TEST(CDevicePage, RegisterPreviewListsEmittedLinesInCForm) {
    PeripheralBlock block = SampleBlock();
    block.registers[0].value = 0x10;
    block.registers[1].value = 0x02;
    block.registers[1].orMode = 1;
    CDevicePage page(block);
    // IE equals its reset value: neither the line nor its fragments appear.
    EXPECT_EQ(page.RegisterPreview(),
              "    SCON0     = 0x10;\r\n"
              "    TMOD      |= 0x02;\r\n"
              "    PCA0CPL2XX= 0x01;\r\n");
    block.registers[3].forceEmit = 1;
    EXPECT_EQ(page.RegisterPreview(),
              "    SCON0     = 0x10;\r\n"
              "    TMOD      |= 0x02;\r\n"
              "    PCA0CPL2XX= 0x01;\r\n"
              "    // before IE\r\n"
              "    IE        = 0x00;\r\n"
              "    // after IE\r\n");
}

TEST(CDevicePage, SummaryBoxFollowsTheBlock) {
    PeripheralBlock block = SampleBlock();
    PlainPage page(block);
    fw::TextBox& box = page.AddSummaryBox(page.Root());
    EXPECT_EQ(box.Name(), "Register Summary");
    EXPECT_EQ(box.Text(), "    PCA0CPL2XX= 0x01;\r\n");
    page.SetBits(true, 0, 0x10);
    page.RefreshSummary();
    EXPECT_EQ(box.Text(), "    SCON0     = 0x10;\r\n    PCA0CPL2XX= 0x01;\r\n");
    EXPECT_EQ(page.Find("Register Summary"), &box);
}

TEST(CDevicePage, ResetRegistersCopiesResetValues) {
    PeripheralBlock block = SampleBlock();
    for (auto& entry : block.registers) entry.value = 0x55;
    CDevicePage page(block);
    page.ResetRegisters({0, 2, 99});
    EXPECT_EQ(block.registers[0].value, 0x00);
    EXPECT_EQ(block.registers[1].value, 0x55);
    EXPECT_EQ(block.registers[2].value, 0x00);
    page.ResetRegisters();
    for (const auto& entry : block.registers) EXPECT_EQ(entry.value, entry.resetValue);
}

TEST(HexField, ValidationRules) {
    TestApp app;
    std::string text = "";
    EXPECT_TRUE(ValidateHexField(text, 2));
    text = " 1F ";
    EXPECT_TRUE(ValidateHexField(text, 2));
    EXPECT_EQ(text, "1F");
    EXPECT_TRUE(app.platform.boxes.empty());

    text = "123";
    EXPECT_FALSE(ValidateHexField(text, 2));
    EXPECT_EQ(text, "12");
    text = "1G";
    EXPECT_FALSE(ValidateHexField(text, 2));
    EXPECT_EQ(text, "1");
    // Pasted or scripted text loses the bad characters, wherever they stand,
    // with one warning each.
    text = "G1";
    EXPECT_FALSE(ValidateHexField(text, 2));
    EXPECT_EQ(text, "1");
    text = "xy";
    EXPECT_FALSE(ValidateHexField(text, 2));
    EXPECT_EQ(text, "");
    ASSERT_EQ(app.platform.boxes.size(), 5u);
    EXPECT_EQ(app.platform.boxes[0].text, "Error: Exceeded Size For Initial Value.");
    for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(app.platform.boxes[i].text, "Error: Invalid HEX Character.");
    for (const auto& box : app.platform.boxes) {
        EXPECT_EQ(box.icon, fw::MessageIcon::Warning);
        EXPECT_EQ(box.buttons, fw::MessageButtons::Ok);
    }
}

TEST(HexField, Parsing) {
    EXPECT_EQ(ParseHexField("", 2), 0u);
    EXPECT_EQ(ParseHexField("7", 2), 0x07u);
    EXPECT_EQ(ParseHexField(" A0 ", 2), 0xA0u);
    EXPECT_EQ(ParseHexField("FF", 2), 0xFFu);
    EXPECT_EQ(ParseHexField("G", 2), 0u);
    EXPECT_EQ(ParseHexField("1G", 2), 0x10u);
    EXPECT_EQ(ParseHexField("0F", 2), 0x0Fu);
    EXPECT_EQ(ParseHexField("123", 2), 0x123u);
}

TEST(HexField, TypingIntoAFieldValidatesStoresAndRefreshes) {
    TestApp app;
    PeripheralBlock block = SampleBlock();
    PlainPage page(block);
    int stored = 0;
    fw::EditField& field = page.BindHex(page.Root(), "TH0 (High Byte):", 1);
    CDevicePage::Then(field, [&] { ++stored; });
    fw::TextBox& box = page.AddSummaryBox(page.Root());
    page.LoadBindings();
    EXPECT_EQ(field.Text(), "00");

    // Typing 1, 2 and 3 one at a time.
    EXPECT_TRUE(field.Type("1"));
    EXPECT_TRUE(field.Type("12"));
    EXPECT_TRUE(app.platform.boxes.empty());
    EXPECT_TRUE(field.Type("123"));
    ASSERT_EQ(app.platform.Texts(), std::vector<std::string>{"Error: Exceeded Size For Initial Value."});
    EXPECT_EQ(field.Text(), "12");
    EXPECT_EQ(block.registers[1].value, 0x12);
    EXPECT_EQ(stored, 3);
    EXPECT_EQ(box.Text(), "    TMOD      = 0x12;\r\n    PCA0CPL2XX= 0x01;\r\n");

    app.platform.boxes.clear();
    field.Type("1");
    field.Type("1G");
    EXPECT_EQ(app.platform.Texts(), std::vector<std::string>{"Error: Invalid HEX Character."});
    EXPECT_EQ(field.Text(), "1");
    EXPECT_EQ(block.registers[1].value, 0x01);

    field.Type("");
    EXPECT_EQ(block.registers[1].value, 0x00);
    field.Type("ab");  // hex fields upper-case what is typed
    EXPECT_EQ(field.Text(), "AB");
    EXPECT_EQ(block.registers[1].value, 0xAB);
    block.registers[1].value = 0x3C;
    page.LoadBindings();
    EXPECT_EQ(field.Text(), "3C");
}

TEST(CDeviceDlg, ResetAsksThenResetsTheActivePageOnYesOnly) {
    TestApp app;
    PeripheralBlock first = SampleBlock(), second = SampleBlock();
    PlainPage one(first), two(second);
    CDeviceDlg sheet("Timers");
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    ASSERT_EQ(sheet.ExtraButtons().size(), 1u);
    EXPECT_EQ(sheet.ExtraButtons()[0].caption, "Reset");
    sheet.Start();
    sheet.SetActivePage(1);

    app.platform.answers = {fw::DialogResult::No, fw::DialogResult::Yes};
    sheet.PressButton(0);
    EXPECT_EQ(two.resets, 0);
    sheet.PressButton(0);
    EXPECT_EQ(two.resets, 1);
    EXPECT_EQ(one.resets, 0);
    ASSERT_EQ(app.platform.boxes.size(), 2u);
    EXPECT_EQ(app.platform.boxes[0].text, "Reset all registers to default for this peripheral?");
    EXPECT_EQ(app.platform.boxes[0].icon, fw::MessageIcon::Question);
    EXPECT_EQ(app.platform.boxes[0].buttons, fw::MessageButtons::YesNo);
    EXPECT_EQ(second.registers[2].value, 0x00);
}

}  // namespace
}  // namespace regsmith
