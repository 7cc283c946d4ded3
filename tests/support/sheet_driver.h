#pragma once
// The in-process sheet driver of page tests: a new project of one model with
// its code window, a recording platform, and a user's hands on every sheet or
// dialog that opens.  Controls are found by the names scripts use (caption,
// label, the page's name for a control, "group/control"), so a test goes
// through the UI model as a user does, not through page classes.
//
//   SheetDriver driver(0xD0);
//   driver.Run(ID_PERIPHERALS_INTERRUPTS, [&](OpenSheet& sheet) {
//       sheet.Click("Enable /INT0 Interrupt");
//       sheet.Page("INT0/INT1 Configuration");
//       sheet.Select("/INT0 Port Pin Selection", "P0.3");
//       sheet.Click("/INT0 Port Pin Selection/Configure Port I/O", [&](OpenSheet& nested) {
//           driver.Answer(fw::DialogResult::Yes);  // the question its OK asks
//           nested.Click("Timer0");
//           nested.Ok();
//       });
//       EXPECT_EQ(sheet.Summary(), "    IT01CF    = 0x03;\r\n    IE        = 0x01;\r\n");
//       sheet.Ok();
//   });
//   EXPECT_EQ(driver.Value(kBlockInterrupts, "IT01CF"), 0x03);
//
// A sheet or dialog that the user's hands do not close is cancelled.  One that
// opens unexpected (no hands waiting for it) fails the test.  Looking up a
// control that is not there throws, which fails the test with the reason.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fw/ui.h"
#include "model/device_data.h"
#include "tests/support/recording_platform.h"

namespace regsmith {
class CDevicePage;
}

namespace regsmith::testing {

class SheetDriver;

// The user's hands on one open sheet (its active page) or dialog.
class OpenSheet {
public:
    OpenSheet(SheetDriver& driver, fw::PropertySheet* sheet, fw::Dialog* dialog)
        : driver_(driver), sheet_(sheet), dialog_(dialog) {}

    const std::string& Title() const;
    fw::PropertySheet& Sheet() const;  // fails the test for a dialog
    // The active page, or the dialog.
    fw::Form& Form() const;

    fw::Control& Find(const std::string& name) const;
    template <class T>
    T& Get(const std::string& name) const {
        T* control = dynamic_cast<T*>(&Find(name));
        if (!control) Fail("\"" + name + "\" is a " + fw::ControlKindName(Find(name).Kind()));
        return *control;
    }

    // User actions: false when the control is greyed or hidden (the action
    // then does nothing), as in the desktop program.
    bool Click(const std::string& name) const;
    // A click that opens a sheet or dialog; `user` acts on it.  Fails the test
    // if nothing opened.
    bool Click(const std::string& name, const std::function<void(OpenSheet&)>& user) const;
    bool Select(const std::string& list, const std::string& item) const;
    bool Type(const std::string& field, const std::string& text) const;
    bool Slide(const std::string& slider, int value) const;
    void Page(const std::string& title) const;
    // The sheet's "Reset" button, with the answer to its question.
    void Reset(fw::DialogResult answer) const;
    void Ok() const;
    void Cancel() const;

    // What the user sees.
    bool IsChecked(const std::string& name) const;  // check box, radio button or toggle button
    bool IsEnabled(const std::string& name) const;  // usable: enabled and shown
    bool IsVisible(const std::string& name) const;
    std::string Selected(const std::string& list) const;  // "" when nothing is selected
    std::string Summary() const;  // the register summary box, CR LF as it holds them
    std::string Shown() const;    // what `show` prints after the controls (the crossbar's assignment)
    // The static text right after the control `name` (a list's status line).
    std::string TextAfter(const std::string& name) const;

    // The value of a register of the active page's own block copy.
    std::uint8_t Value(const std::string& registerName) const;
    CDevicePage& DevicePage() const;

private:
    [[noreturn]] void Fail(const std::string& reason) const;

    SheetDriver& driver_;
    fw::PropertySheet* sheet_;
    fw::Dialog* dialog_;
};

class SheetDriver {
    TestApp app_;  // first: the project's window becomes the app's active view

public:
    using User = std::function<void(OpenSheet&)>;

    explicit SheetDriver(std::uint8_t deviceId = 0xD0);
    ~SheetDriver();
    SheetDriver(const SheetDriver&) = delete;
    SheetDriver& operator=(const SheetDriver&) = delete;

    // Runs a Peripherals command through the project window, as its menu
    // item does; `user` acts on the sheet it opens.
    void Run(int command, const User& user);
    // Runs a sheet or dialog that `open` opens (a nested sheet run directly);
    // `user` acts on it.
    fw::DialogResult RunNested(const std::function<fw::DialogResult()>& open, const User& user);
    // The next Yes/No question is answered so.
    void Answer(fw::DialogResult answer) { app_.platform.answers.push_back(answer); }

    CDeviceDocument& Document() { return *project.document; }
    // The code window's text.
    const std::string& Text() const { return project.view->GetText(); }
    RecordingPlatform& Platform() { return app_.platform; }
    // The texts of every message box so far.
    std::vector<std::string> Messages() const { return app_.platform.Texts(); }
    int SheetsRun() const { return opened_; }

    // The document's blocks and registers, by block number and register name.
    PeripheralBlock Block(std::int32_t number);
    std::uint8_t Value(std::int32_t number, const std::string& registerName);
    void SetValue(std::int32_t number, const std::string& registerName, std::uint8_t value);

    TestProject project;

private:
    friend class OpenSheet;
    void Expect(const User& user) { users_.push_back(user); }
    void Opened(fw::PropertySheet* sheet, fw::Dialog* dialog);

    std::deque<User> users_;
    int opened_ = 0;
};

// The register of `block` with that name; fails the test if there is none.
RegisterEntry& Register(PeripheralBlock& block, const std::string& name);

}  // namespace regsmith::testing
