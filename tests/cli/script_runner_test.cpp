// The script interpreter in-process, on test pages that hold every kind of
// control, a calculator dialog and a nested sheet.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/script.h"
#include "model/k74x_75x_doc.h"
#include "view/command_ids.h"
#include "view/device_page.h"
#include "view/k74x_75x_view.h"
#include "view/sheet_commands.h"

namespace regsmith::cli {
namespace {

class CalculatorDialog : public fw::Dialog {
public:
    explicit CalculatorDialog(int& result) : fw::Dialog("Calculator"), result_(result) {
        target_ = &Root().Add<fw::EditField>("Target:");
    }
    bool OnOK() override {
        if (target_->Text().empty()) {
            fw::AfxGetApp()->Platform().MessageBox("Error: Enter a target.\nThen press OK.", fw::MessageIcon::Warning,
                                                  fw::MessageButtons::Ok);
            return false;
        }
        result_ = std::stoi(target_->Text());
        return true;
    }

private:
    int& result_;
    fw::EditField* target_;
};

class WidgetsPage : public fw::PropertyPage, public CDevicePage {
public:
    explicit WidgetsPage(SheetContext& context) : fw::PropertyPage("Widgets"), CDevicePage(context.Block(kBlockUart)), context_(context) {
        auto& main = Root().Add<fw::GroupBox>("Main");
        enable_ = &main.Add<fw::CheckBox>("Enable");
        enable_->onChange = [this] { SetBits(enable_->IsChecked(), 0, 0x80); RefreshSummary(); };
        auto& level = main.Add<fw::Slider>("Level:");
        level.SetRange(0, 7);
        level.onMove = [this] { ++moves; };
        level.onChange = [this, &level] { ReplaceBits(0, 0x07, static_cast<std::uint8_t>(level.Value())); RefreshSummary(); };
        BindHex(main, "SCON0 Value (Hex):", 0);
        auto& mode = main.Add<fw::DropDownList>("Mode:");
        mode.SetItems({"Off", "On"});
        mode.SetSelected(0);
        main.Add<fw::ToggleButton>("D").SetName("Pin P0.1");
        main.Add<fw::ThreeStateButton>("").SetName("Skip P0.2");
        main.Add<fw::PushButton>("Never").Enable(false);
        auto& a = Root().Add<fw::GroupBox>("Group A");
        a.Add<fw::CheckBox>("Invert");
        auto& b = Root().Add<fw::GroupBox>("Group B");
        b.Add<fw::CheckBox>("Invert").SetChecked(true);
        b.Add<fw::EditField>();  // found by its group's caption
        auto& grid = Root().Add<fw::Grid>("Table");
        grid.SetRows(3);
        grid.SetColumns(3);
        grid.SetText(0, 0, "Pin");
        grid.SetText(0, 1, "Signal");
        grid.SetText(2, 0, "P0.0");
        grid.SetText(2, 1, "TX0");
        Root().Add<fw::ColourSwatch>(fw::Rgb{255, 0, 0}, 10, 10).SetName("Swatch");
        Root().Add<fw::StaticText>("CNV\nSTR");
        auto& calculate = Root().Add<fw::PushButton>("Calculate");
        calculate.onChange = [this] {
            CalculatorDialog dialog(calculated);
            dialog.DoModal();
        };
        auto& configure = Root().Add<fw::PushButton>("Configure Interrupts");
        configure.onChange = [this] { RunNestedSheet("Interrupts", {"Probe Int"}, context_, {kBlockInterrupts}); };
        AddSummaryBox(Root());
    }
    std::string DescribeForScript() const override { return "table:\r\nTX0 -> P0.0\r\n"; }
    void OnReset() override {
        ResetRegisters();
        enable_->SetChecked(TestBits(0, 0x80));
        RefreshSummary();
    }

    int moves = 0;
    int calculated = 0;

private:
    SheetContext& context_;
    fw::CheckBox* enable_;
};

class ProbeIntPage : public fw::PropertyPage, public CDevicePage {
public:
    explicit ProbeIntPage(SheetContext& context) : fw::PropertyPage("Probe Int"), CDevicePage(context.Block(kBlockInterrupts)) {
        auto& set = Root().Add<fw::CheckBox>("Set IP");
        set.onChange = [this, &set] { SetBits(set.IsChecked(), 0, 0x01); RefreshSummary(); };
        AddSummaryBox(Root());
    }
};

fw::MenuResource TestMenu() {
    using fw::MenuItem;
    return {
        MenuItem::Popup("&File", {MenuItem::Command("Sa&ve Source As...", ID_FILE_SAVE_SOURCE)}),
        MenuItem::Popup("&Options", {MenuItem::Popup("Code Format", {MenuItem::Command("C", ID_OPTIONS_CODEFORMAT_C, true),
                                                                      MenuItem::Command("Asm", ID_OPTIONS_CODEFORMAT_ASM)})}),
        MenuItem::Popup("&Peripherals", {MenuItem::Command("UART", ID_PERIPHERALS_UART),
                                         MenuItem::Command("SPI", ID_PERIPHERALS_SPI), MenuItem::Separator(),
                                         MenuItem::Command("Reset All", ID_PERIPHERALS_RESETALL)}),
    };
}

class ScriptRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearSheetRegistry();
        RegisterSheetPages(ID_PERIPHERALS_UART, {{"Widgets", [](SheetContext& context) -> std::unique_ptr<fw::PropertyPage> {
                                                      return std::make_unique<WidgetsPage>(context);
                                                  }}});
        RegisterSheetPages(ID_PERIPHERALS_INTERRUPTS,
                           {{"Probe Int", [](SheetContext& context) -> std::unique_ptr<fw::PropertyPage> {
                                 return std::make_unique<ProbeIntPage>(context);
                             }}});
        app.AddDocTemplate(std::make_unique<fw::CMultiDocTemplate>(
            17076, "\nQK740 \nQK740",
            []() -> std::unique_ptr<fw::CDocument> { return std::make_unique<CK74x_75xDoc>(0xD0); },
            []() -> std::unique_ptr<fw::CView> { return std::make_unique<CK74x_75xView>(); }, TestMenu()));
    }
    void TearDown() override { ClearSheetRegistry(); }

    // Runs the script; returns its output, and the error as "line N: reason".
    std::pair<std::string, std::string> Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out;
        std::string error;
        {
            ScriptRunner runner(app, in, out);
            try {
                runner.Run();
            } catch (const ScriptError& failure) {
                error = "line " + std::to_string(failure.line) + ": " + failure.reason;
            }
        }
        return {out.str(), error};
    }

    fw::CWinApp app;
};

TEST(ScriptLine, SplitsQuotesEscapesAndComments) {
    EXPECT_EQ(SplitScriptLine("  click   \"Enable /INT0 Interrupt\"  # why\r"),
              (std::vector<std::string>{"click", "Enable /INT0 Interrupt"}));
    EXPECT_EQ(SplitScriptLine(R"(type "a \"b\" \\ c" x"y z"w)"),
              (std::vector<std::string>{"type", "a \"b\" \\ c", "xy zw"}));
    EXPECT_EQ(SplitScriptLine(R"(type F "")"), (std::vector<std::string>{"type", "F", ""}));
    EXPECT_EQ(SplitScriptLine("select L \"#1\" # comment"), (std::vector<std::string>{"select", "L", "#1"}));
    EXPECT_EQ(SplitScriptLine(R"(path C:\dir\file)"), (std::vector<std::string>{"path", "C:\\dir\\file"}));
    EXPECT_TRUE(SplitScriptLine("   # only a comment").empty());
    EXPECT_THROW(SplitScriptLine("click \"open"), ScriptError);
}

TEST_F(ScriptRunnerTest, ShowListsEveryVisibleControl) {
    const auto [out, error] = Run(
        "new QK740\n"
        "menu UART\n"
        "show\n"
        "cancel\n");
    EXPECT_EQ(error, "");
    EXPECT_EQ(out,
              "page \"Widgets\"\n"
              "group \"Main\"\n"
              "check [ ] \"Enable\"\n"
              "slider \"Level:\" = 0 (0..7)\n"
              "edit \"SCON0 Value (Hex):\" = \"\"\n"
              "list \"Mode:\" = \"Off\"\n"
              "toggle [ ] \"Pin P0.1\"\n"
              "three-state \"Skip P0.2\" = \"0\"\n"
              "button \"Never\" disabled\n"
              "group \"Group A\"\n"
              "check [ ] \"Group A/Invert\"\n"
              "group \"Group B\"\n"
              "check [x] \"Group B/Invert\"\n"
              "edit \"Group B\" = \"\"\n"
              "grid \"Table\" (3 rows, 3 columns)\n"
              "  row 0: Pin | Signal\n"
              "  row 2: P0.0 | TX0\n"
              "swatch \"Swatch\" = #FF0000\n"
              "text \"CNV\\nSTR\"\n"
              "button \"Calculate\"\n"
              "button \"Configure Interrupts\"\n"
              "textbox \"Register Summary\"\n"
              "table:\n"
              "TX0 -> P0.0\n");
}

TEST_F(ScriptRunnerTest, EveryKindOfControlIsDriven) {
    const auto [out, error] = Run(
        "new QK740\n"
        "menu UART\n"
        "click Enable\n"
        "slide Level: 5\n"
        "summary\n"
        "type \"SCON0 Value (Hex):\" 1g\n"
        "summary\n"
        "select Mode: On\n"
        "click \"Pin P0.1\"\n"
        "click \"Skip P0.2\"\n"
        "click \"Skip P0.2\"\n"
        "click \"Group A/Invert\"\n"
        "type \"Group B\" \"two words\"\n"
        "show Mode:\n"
        "show \"Pin P0.1\"\n"
        "show \"Skip P0.2\"\n"
        "show \"Group A/Invert\"\n"
        "show \"Group B\"\n"
        "ok\n"
        "generate\n");
    EXPECT_EQ(error, "");
    const std::string expectedStart =
        "    SCON0     = 0x85;\n"
        "message: Error: Invalid HEX Character.\n"
        "    SCON0     = 0x01;\n"
        "list \"Mode:\" = \"On\"\n"
        "toggle [x] \"Pin P0.1\"\n"
        "three-state \"Skip P0.2\" = \"2\"\n"
        "check [x] \"Group A/Invert\"\n"
        "edit \"Group B\" = \"two words\"\n";
    EXPECT_EQ(out.substr(0, expectedStart.size()), expectedStart);
    EXPECT_NE(out.find("    SCON0     = 0x01;\r\n"), std::string::npos);
}

TEST_F(ScriptRunnerTest, DialogsAndNestedSheetsReadTheFollowingLines) {
    const auto [out, error] = Run(
        "new QK740\n"
        "menu UART\n"
        "click Calculate\n"
        "show\n"
        "ok\n"                 // refused: the dialog stays open
        "type Target: 42\n"
        "click OK\n"
        "click \"Configure Interrupts\"\n"
        "click \"Set IP\"\n"
        "summary\n"
        "ok\n"
        "cancel\n"
        "generate\n");
    EXPECT_EQ(error, "");
    const std::string expectedStart =
        "dialog \"Calculator\"\n"
        "edit \"Target:\" = \"\"\n"
        "message: Error: Enter a target.\\nThen press OK.\n"
        "    IP        = 0x01;\n"
        "/////";
    EXPECT_EQ(out.substr(0, expectedStart.size()), expectedStart);
    // The nested sheet's OK survives the outer Cancel.
    EXPECT_NE(out.find("void Interrupts_Init()"), std::string::npos);
    EXPECT_EQ(out.find("UART_Init"), std::string::npos);
}

TEST_F(ScriptRunnerTest, ErrorsNameTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"new QK740\nmenu SPI\n", "line 2: the menu item \"SPI\" is disabled"},
        {"new QK740\nmenu UART\nclick Never\n", "line 3: the control \"Never\" is disabled"},
        {"new QK740\nmenu UART\nclick Invert\n",
         "line 3: several controls are named \"Invert\" (name one as: \"Group A/Invert\", \"Group B/Invert\")"},
        {"new QK740\nmenu UART\nslide Level: 8\n", "line 3: the slider \"Level:\" goes from 0 to 7"},
        {"new QK740\nmenu UART\nslide Level: x\n", "line 3: \"x\" is not a whole number"},
        {"new QK740\nmenu UART\nselect Mode: Maybe\n",
         "line 3: the list \"Mode:\" has no item \"Maybe\" (items: \"Off\", \"On\")"},
        {"new QK740\nmenu UART\ntype Enable 1\n", "line 3: \"Enable\" is not an edit field"},
        {"new QK740\nmenu UART\nclick Table\n", "line 3: \"Table\" is a grid, not something to click"},
        {"new QK740\nmenu UART\nclick Calculate\npage Widgets\n", "line 4: a dialog has no pages"},
        {"new QK740\nmenu UART\nclick Calculate\n", "line 3: the script ended inside the dialog \"Calculator\""},
        {"new QK740\nmenu UART\nreset\nok\n",
         "line 4: the question \"Reset all registers to default for this peripheral?\" is waiting: answer yes or answer no"},
        {"new QK740\nmenu UART\nreset\nanswer maybe\n",
         "line 4: unknown answer \"maybe\": answer yes or answer no"},
    };
    for (const auto& [script, expected] : cases) EXPECT_EQ(Run(script).second, expected) << script;
}

TEST_F(ScriptRunnerTest, ResetAndFormat) {
    const auto [out, error] = Run(
        "new QK740\n"
        "menu UART\n"
        "click Enable\n"
        "click Reset\n"
        "answer yes\n"
        "summary\n"
        "click Enable\n"
        "ok\n"
        "format asm\n"
        "generate\n");
    EXPECT_EQ(error, "");
    EXPECT_EQ(out.rfind("message: Reset all registers to default for this peripheral?\n;----", 0), 0u);
    EXPECT_NE(out.find("    mov  SCON0,     #080h\r\n"), std::string::npos) << out;
}


// An endless script of one repeated comment line, served from one buffer.
class EndlessComments : public std::streambuf {
public:
    EndlessComments() : line_(64 * 1024 / 10 * 10, ' ') {
        for (std::size_t i = 0; i < line_.size(); i += 10) line_.replace(i, 10, "# comment\n");
    }

protected:
    int_type underflow() override {
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        return traits_type::to_int_type(line_[0]);
    }

private:
    std::string line_;
};

TEST_F(ScriptRunnerTest, LinesAndScriptsAreBounded) {
    const std::string longest = "#" + std::string(kMaxScriptLineBytes - 1, 'x');
    const std::pair<std::string, const char*> cases[] = {
        {"new QK740\n" + longest + "\nmenu UART\ncancel\n", ""},
        {"new QK740\n" + longest + "x\nmenu UART\n", "line 2: the line is longer than 64 KiB"},
        {"new QK740\n" + longest + "x", "line 2: the line is longer than 64 KiB"},
        {std::string("new QK740\nmenu \0UART\n", 21), "line 2: a NUL byte: the script is not a text file"},
        {std::string("\0", 1), "line 1: a NUL byte: the script is not a text file"},
        {"\xEF\xBB\xBFnew QK740\nmenu UART\ncancel\n", ""},
        {"new QK740\n\xEF\xBB\xBFmenu UART\n", "line 2: unknown command \"\xEF\xBB\xBFmenu\""},
    };
    for (const auto& [script, expected] : cases) EXPECT_EQ(Run(script).second, expected) << script.substr(0, 40);

    EndlessComments endless;
    std::istream in(&endless);
    std::ostringstream out;
    ScriptRunner runner(app, in, out);
    try {
        runner.Run();
        ADD_FAILURE() << "an endless script ran to its end";
    } catch (const ScriptError& failure) {
        EXPECT_EQ(failure.line, static_cast<int>(kMaxScriptBytes / 10 + 1));
        EXPECT_EQ(failure.reason, "the script is larger than 64 MiB");
    }
}

// Control, page, item and menu names as a user types them, and the closest
// names when nothing matches.
TEST_F(ScriptRunnerTest, NamesAsAUserTypesThem) {
    struct Case {
        const char* lines;  // after "new QK740", "menu UART"
        const char* out;
        const char* error;
    };
    const Case cases[] = {
        {"click enable\nshow ENABLE\n", "check [x] \"Enable\"\n", ""},
        {"select mode: ON\nshow \"  mode:\"\n", "list \"Mode:\" = \"On\"\n", ""},
        {"show \"group  b/INVERT\"\n", "check [x] \"Group B/Invert\"\n", ""},
        {"show Configu\n", "button \"Configure Interrupts\"\n", ""},
        {"page WIDGETS\nshow \"pin p0.1\"\n", "toggle [ ] \"Pin P0.1\"\n", ""},
        {"show Confi\n", "", "line 3: no control \"Confi\" on \"Widgets\" (closest: \"Configure Interrupts\")"},
        {"click Enabel\n", "", "line 3: no control \"Enabel\" on \"Widgets\" (closest: \"Enable\")"},
        {"click Zzzzzzzzzzz\n", "", "line 3: no control \"Zzzzzzzzzzz\" on \"Widgets\""},
        {"page Gadgets\n", "", "line 3: the sheet \"UARTs\" has no page \"Gadgets\" (pages: \"Widgets\")"},
    };
    for (const Case& c : cases) {
        const auto [out, error] = Run(std::string("new QK740\nmenu UART\n") + c.lines + "cancel\n");
        EXPECT_EQ(out, c.out) << c.lines;
        EXPECT_EQ(error, c.error) << c.lines;
    }
    EXPECT_EQ(Run("new QK740\nmenu uart\ncancel\nmenu Uarts\n").second,
              "line 4: the menu has no item \"Uarts\" (closest: \"UART\")");
}

}  // namespace
}  // namespace regsmith::cli
