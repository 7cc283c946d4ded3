#include "tests/support/sheet_driver.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fw/commands.h"
#include "view/device_page.h"

namespace regsmith::testing {

// ---- OpenSheet -----------------------------------------------------------------

void OpenSheet::Fail(const std::string& reason) const { throw std::runtime_error(Title() + ": " + reason); }

const std::string& OpenSheet::Title() const { return sheet_ ? sheet_->Title() : dialog_->Title(); }

fw::PropertySheet& OpenSheet::Sheet() const {
    if (!sheet_) Fail("a dialog is open, not a sheet");
    return *sheet_;
}

fw::Form& OpenSheet::Form() const {
    if (dialog_) return *dialog_;
    if (!sheet_->ActivePage()) Fail("the sheet has no active page");
    return *sheet_->ActivePage();
}

fw::Control& OpenSheet::Find(const std::string& name) const {
    std::string error;
    fw::Control* control = Form().Find(name, &error);
    if (!control) Fail(error + " on \"" + Form().Title() + "\"");
    return *control;
}

bool OpenSheet::Click(const std::string& name) const { return Find(name).Click(); }

bool OpenSheet::Click(const std::string& name, const std::function<void(OpenSheet&)>& user) const {
    const int before = driver_.opened_;
    driver_.Expect(user);
    const bool clicked = Click(name);
    if (driver_.opened_ == before) {
        driver_.users_.pop_back();
        ADD_FAILURE() << "clicking \"" << name << "\" opened no sheet or dialog";
    }
    return clicked;
}

bool OpenSheet::Select(const std::string& list, const std::string& item) const {
    auto& box = Get<fw::DropDownList>(list);
    const int index = box.IndexOf(item);
    if (index < 0) Fail("the list \"" + list + "\" has no item \"" + item + "\"");
    return box.Select(index);
}

bool OpenSheet::Type(const std::string& field, const std::string& text) const {
    return Get<fw::EditField>(field).Type(text);
}

bool OpenSheet::Slide(const std::string& slider, int value) const { return Get<fw::Slider>(slider).Slide(value); }

void OpenSheet::Page(const std::string& title) const {
    const int index = Sheet().FindPage(title);
    if (index < 0) Fail("no page \"" + title + "\"");
    EXPECT_TRUE(sheet_->SetActivePage(index)) << "the page \"" << Form().Title() << "\" would not be left";
}

void OpenSheet::Reset(fw::DialogResult answer) const {
    const auto& buttons = Sheet().ExtraButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].caption == "Reset") {
            driver_.Answer(answer);
            sheet_->PressButton(static_cast<int>(i));
            return;
        }
    Fail("no Reset button");
}

void OpenSheet::Ok() const {
    if (sheet_) sheet_->PressOK();
    else dialog_->PressOK();
}

void OpenSheet::Cancel() const {
    if (sheet_) sheet_->PressCancel();
    else dialog_->PressCancel();
}

bool OpenSheet::IsChecked(const std::string& name) const {
    fw::Control& control = Find(name);
    if (auto* box = dynamic_cast<fw::CheckBox*>(&control)) return box->IsChecked();
    if (auto* radio = dynamic_cast<fw::RadioButton*>(&control)) return radio->IsChecked();
    if (auto* toggle = dynamic_cast<fw::ToggleButton*>(&control)) return toggle->IsPressed();
    Fail("\"" + name + "\" is a " + fw::ControlKindName(control.Kind()) + ", which is never checked");
}

bool OpenSheet::IsEnabled(const std::string& name) const { return Find(name).IsEffectivelyEnabled(); }

bool OpenSheet::IsVisible(const std::string& name) const { return Find(name).IsEffectivelyVisible(); }

std::string OpenSheet::Selected(const std::string& list) const { return Get<fw::DropDownList>(list).SelectedText(); }

std::string OpenSheet::Summary() const { return Get<fw::TextBox>(kSummaryBoxName).Text(); }

std::string OpenSheet::Shown() const { return Form().DescribeForScript(); }

std::string OpenSheet::TextAfter(const std::string& name) const {
    const fw::Control* control = &Find(name);
    const std::vector<fw::Control*> controls = Form().AllControls();
    for (std::size_t i = 0; i + 1 < controls.size(); ++i)
        if (controls[i] == control) {
            if (auto* text = dynamic_cast<fw::StaticText*>(controls[i + 1])) return text->Text();
            break;
        }
    Fail("no text after \"" + name + "\"");
}

CDevicePage& OpenSheet::DevicePage() const {
    auto* page = dynamic_cast<CDevicePage*>(&Form());
    if (!page) Fail("\"" + Form().Title() + "\" is not a device page");
    return *page;
}

std::uint8_t OpenSheet::Value(const std::string& registerName) const {
    return Register(DevicePage().Block(), registerName).value;
}

// ---- SheetDriver ---------------------------------------------------------------

SheetDriver::SheetDriver(std::uint8_t deviceId) : project(deviceId) {
    app_.platform.onSheet = [this](fw::PropertySheet& sheet) { Opened(&sheet, nullptr); };
    app_.platform.onDialog = [this](fw::Dialog& dialog) { Opened(nullptr, &dialog); };
}

SheetDriver::~SheetDriver() {
    if (!users_.empty()) ADD_FAILURE() << users_.size() << " expected sheet(s) or dialog(s) never opened";
}

void SheetDriver::Opened(fw::PropertySheet* sheet, fw::Dialog* dialog) {
    ++opened_;
    if (users_.empty()) {
        ADD_FAILURE() << "\"" << (sheet ? sheet->Title() : dialog->Title()) << "\" opened unexpectedly";
        return;
    }
    const User user = std::move(users_.front());
    users_.pop_front();
    OpenSheet hands(*this, sheet, dialog);
    user(hands);
}

void SheetDriver::Run(int command, const User& user) {
    const int before = opened_;
    Expect(user);
    const fw::RouteResult routed = fw::RouteCommand(project.view.get(), project.document.get(), command);
    if (opened_ != before) return;
    users_.pop_back();
    ADD_FAILURE() << (routed == fw::RouteResult::Disabled     ? "the command is disabled"
                      : routed == fw::RouteResult::NotHandled ? "the project window does not know the command"
                                                              : "the command opened no sheet");
}

fw::DialogResult SheetDriver::RunNested(const std::function<fw::DialogResult()>& open, const User& user) {
    const int before = opened_;
    Expect(user);
    const fw::DialogResult result = open();
    if (opened_ == before) {
        users_.pop_back();
        ADD_FAILURE() << "no sheet or dialog opened";
    }
    return result;
}

PeripheralBlock SheetDriver::Block(std::int32_t number) {
    PeripheralBlock block;
    Document().GetBlock(block, number);
    return block;
}

std::uint8_t SheetDriver::Value(std::int32_t number, const std::string& registerName) {
    PeripheralBlock block = Block(number);
    return Register(block, registerName).value;
}

void SheetDriver::SetValue(std::int32_t number, const std::string& registerName, std::uint8_t value) {
    PeripheralBlock block = Block(number);
    Register(block, registerName).value = value;
    Document().SetBlock(block, number);
}

RegisterEntry& Register(PeripheralBlock& block, const std::string& name) {
    for (RegisterEntry& entry : block.registers)
        if (entry.name == name) return entry;
    ADD_FAILURE() << "no register " << name;
    static RegisterEntry none;
    none = RegisterEntry{};
    return none;
}

}  // namespace regsmith::testing
