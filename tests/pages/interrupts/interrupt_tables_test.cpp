#include "pages/interrupts/interrupt_tables.h"

#include <gtest/gtest.h>

#include <set>

#include "fw/ui.h"
#include "model/catalogue.h"

namespace regsmith::interrupts {
namespace {

// Bits of one register that the rows of a table cover; fails on a bit that
// two rows claim.
std::uint8_t CoveredBits(std::span<const InterruptCheckBox> table, int entry) {
    std::uint8_t covered = 0;
    for (const InterruptCheckBox& row : table) {
        if (row.field.entry != entry) continue;
        EXPECT_EQ(covered & row.field.mask, 0) << row.field.Caption() << " shares its bit";
        covered |= row.field.mask;
    }
    return covered;
}

TEST(InterruptTables, EnableRowsCoverEveryBitOfIEAndEIE1Once) {
    EXPECT_EQ(CoveredBits(kEnableCheckBoxes, reg::IE), 0xFF);
    EXPECT_EQ(CoveredBits(kEnableCheckBoxes, reg::EIE1), 0xFF);
    for (const InterruptCheckBox& row : kEnableCheckBoxes)
        EXPECT_TRUE(row.field.entry == reg::IE || row.field.entry == reg::EIE1) << row.field.Caption();
}

TEST(InterruptTables, PriorityRowsCoverIPWithoutTheGlobalBitAndAllOfEIP1) {
    EXPECT_EQ(CoveredBits(kPriorityCheckBoxes, reg::IP), 0x7F);
    EXPECT_EQ(CoveredBits(kPriorityCheckBoxes, reg::EIP1), 0xFF);
}

// Each priority bit sits at the position of its interrupt's enable bit:
// IE pairs with IP and EIE1 with EIP1, in the same order on both pages.
TEST(InterruptTables, PriorityRowsMirrorTheEnableRows) {
    ASSERT_EQ(kPriorityCheckBoxes.size() + 1, kEnableCheckBoxes.size());
    for (std::size_t i = 0; i < kPriorityCheckBoxes.size(); ++i) {
        const InterruptCheckBox& enable = kEnableCheckBoxes[i + 1];
        const InterruptCheckBox& priority = kPriorityCheckBoxes[i];
        EXPECT_EQ(priority.field.mask, enable.field.mask) << priority.field.Caption();
        EXPECT_EQ(priority.field.entry, enable.field.entry == reg::IE ? reg::IP : reg::EIP1) << priority.field.Caption();
        EXPECT_EQ(priority.lin, enable.lin) << priority.field.Caption();
    }
}

TEST(InterruptTables, OnlyTheLinRowsAreMarkedLin) {
    for (const InterruptCheckBox& row : kEnableCheckBoxes)
        EXPECT_EQ(row.lin, std::string(row.field.Caption()) == "Enable LIN Interrupt") << row.field.Caption();
    for (const InterruptCheckBox& row : kPriorityCheckBoxes)
        EXPECT_EQ(row.lin, std::string(row.field.Caption()) == "Set LIN Priority High") << row.field.Caption();
}

TEST(InterruptTables, PinListsFollowThePackage) {
    const std::vector<std::string> small{"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5"};
    const std::vector<std::string> large{"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5", "P0.6", "P0.7"};
    for (const ModelInfo& model : kCatalogue)
        EXPECT_EQ(ExternalInterruptPins(model.deviceId), model.deviceId <= 0xD5 ? small : large) << model.model;
    // A project file may carry an id no model has: the small list is the safe one.
    EXPECT_EQ(ExternalInterruptPins(0x00), small);
    EXPECT_EQ(ExternalInterruptPins(0xDC), small);
}

TEST(InterruptTables, LinIsHiddenOnTheOddCatalogueIdsOnly) {
    const std::set<int> hidden{0xD1, 0xD3, 0xD5, 0xD7, 0xD9, 0xDB};
    for (const ModelInfo& model : kCatalogue)
        EXPECT_EQ(ShowsLinInterrupt(model.deviceId), hidden.count(model.deviceId) == 0) << model.model;
    EXPECT_TRUE(ShowsLinInterrupt(0x01));
    EXPECT_TRUE(ShowsLinInterrupt(0x00));
}

class LayoutForm : public fw::Form {
public:
    LayoutForm() : fw::Form("layout") {}
};

TEST(InterruptLayouts, EveryCheckBoxIsFoundByCaptionInItsGroup) {
    for (std::span<const InterruptCheckBox> table :
         {std::span<const InterruptCheckBox>(kEnableCheckBoxes), std::span<const InterruptCheckBox>(kPriorityCheckBoxes)}) {
        LayoutForm form;
        const CheckBoxPageControls controls = BuildCheckBoxPage(form.Root(), table);
        ASSERT_EQ(controls.boxes.size(), table.size());
        std::set<const fw::GroupBox*> groups;
        for (std::size_t i = 0; i < table.size(); ++i) {
            auto* box = form.FindAs<fw::CheckBox>(std::string(table[i].field.Caption()));
            ASSERT_NE(box, nullptr) << table[i].field.Caption();
            EXPECT_EQ(box, controls.boxes[i]);
            ASSERT_NE(box->EnclosingGroup(), nullptr);
            EXPECT_EQ(box->EnclosingGroup()->Caption(), table[i].group);
            groups.insert(controls.groups[i]);
        }
        // One group box per distinct group caption.
        std::set<std::string> captions;
        for (const InterruptCheckBox& row : table) captions.insert(row.group);
        EXPECT_EQ(groups.size(), captions.size());
    }
}

TEST(InterruptLayouts, LinGroupAndCheckBoxHideOnOddIds) {
    LayoutForm form;
    const CheckBoxPageControls controls = BuildCheckBoxPage(form.Root(), kEnableCheckBoxes);
    ApplyLinVisibility(controls, kEnableCheckBoxes, 0xD1);
    EXPECT_FALSE(form.Find("LIN Interrupts")->IsVisible());
    EXPECT_FALSE(form.Find("Enable LIN Interrupt")->IsVisible());
    EXPECT_TRUE(form.Find("Enable PCA0 Interrupt")->IsEffectivelyVisible());
    ApplyLinVisibility(controls, kEnableCheckBoxes, 0xD6);
    EXPECT_TRUE(form.Find("Enable LIN Interrupt")->IsEffectivelyVisible());
}

TEST(InterruptLayouts, ConfigurationControlsAreFoundByTheirNames) {
    LayoutForm form;
    const auto controls = BuildInt01ConfigPage(form.Root());
    // The pin lists carry no label: the group caption names them, even though
    // the group box itself has that caption too.
    EXPECT_EQ(form.Find("/INT0 Port Pin Selection"), controls[0].pins);
    EXPECT_EQ(form.Find("/INT1 Port Pin Selection"), controls[1].pins);
    EXPECT_EQ(form.Find("/INT0 Active High"), controls[0].activeHigh);
    EXPECT_EQ(form.Find("/INT1 Active Low"), controls[1].activeLow);
    // The two buttons share a caption and are told apart by their groups.
    std::string error;
    EXPECT_EQ(form.Find("Configure Port I/O", &error), nullptr);
    EXPECT_NE(error.find("several"), std::string::npos);
    EXPECT_EQ(form.Find("/INT0 Port Pin Selection/Configure Port I/O"), controls[0].configurePortIO);
    EXPECT_EQ(form.Find("/INT1 Port Pin Selection/Configure Port I/O"), controls[1].configurePortIO);
    // The polarity radios of /INT0 and /INT1 are separate groups.
    controls[0].activeHigh->Click();
    controls[1].activeLow->Click();
    EXPECT_TRUE(controls[0].activeHigh->IsChecked());
    EXPECT_TRUE(controls[1].activeLow->IsChecked());
}

}  // namespace
}  // namespace regsmith::interrupts
