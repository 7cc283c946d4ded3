// The code window's commands: code format and its check marks, Save Source
// As, Print, Help and Reset All.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "codegen/generator.h"
#include "fw/document.h"
#include "model/device_document.h"
#include "tests/support/files.h"
#include "tests/support/recording_platform.h"
#include "tests/support/scratch_folder.h"
#include "view/colouring.h"
#include "view/command_ids.h"

namespace regsmith {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;
using testing::TestApp;
using testing::TestProject;

class CodeWindow : public ::testing::Test {
protected:
    TestApp app;
    TestProject project{0xD0};
    ScratchFolder scratch{"view"};
    const std::filesystem::path& folder = scratch.Path();
};

TEST_F(CodeWindow, NewProjectShowsColouredCText) {
    const std::string& text = project.view->GetText();
    EXPECT_EQ(text, GenerateCode(*project.document));
    EXPECT_EQ(project.view->GetFont().face, "Courier New");
    EXPECT_EQ(project.view->GetFont().pointSize, 10);
    EXPECT_EQ(project.view->GetColours(), ScanColours(text, false));
    // The first header comment runs to its line end, CR LF included; the
    // include line's file name is a literal.
    ASSERT_FALSE(project.view->GetColours().empty());
    const fw::ColourRange& first = project.view->GetColours().front();
    EXPECT_EQ(text.substr(first.start, first.length), "/////////////////////////////////////\r\n");
    EXPECT_EQ(first.colour, (fw::Rgb{0, 170, 0}));
    bool includeIsLiteral = false;
    for (const fw::ColourRange& range : project.view->GetColours())
        if (text.substr(range.start, range.length) == "\"QK740.h\"" && range.colour == fw::Rgb{55, 0, 200})
            includeIsLiteral = true;
    EXPECT_TRUE(includeIsLiteral);
}

TEST_F(CodeWindow, FormatCommandsRegenerateAndMarkExclusively) {
    fw::CommandState c, assembly;
    project.view->OnUpdateCommand(ID_OPTIONS_CODEFORMAT_C, c);
    project.view->OnUpdateCommand(ID_OPTIONS_CODEFORMAT_ASM, assembly);
    EXPECT_TRUE(c.checked);
    EXPECT_FALSE(assembly.checked);
    EXPECT_FALSE(project.document->IsModified());

    ASSERT_TRUE(project.view->OnCommand(ID_OPTIONS_CODEFORMAT_ASM));
    EXPECT_EQ(project.document->deviceData.codeFormat, 1);
    EXPECT_TRUE(project.document->IsModified());
    EXPECT_EQ(project.view->GetText().rfind(";------------------------------------\r\n", 0), 0u);
    EXPECT_EQ(project.view->GetColours(), ScanColours(project.view->GetText(), true));
    project.view->OnUpdateCommand(ID_OPTIONS_CODEFORMAT_C, c);
    project.view->OnUpdateCommand(ID_OPTIONS_CODEFORMAT_ASM, assembly);
    EXPECT_FALSE(c.checked);
    EXPECT_TRUE(assembly.checked);

    project.view->OnCommand(ID_OPTIONS_CODEFORMAT_C);
    EXPECT_EQ(project.document->deviceData.codeFormat, 0);
    EXPECT_EQ(project.view->GetText(), GenerateCode(*project.document));
    EXPECT_EQ(project.view->GetText().rfind("/////", 0), 0u);
}

TEST_F(CodeWindow, CheckMarksFollowTheActiveDocument) {
    TestProject second{0xD6, false};
    second.document->deviceData.codeFormat = kCodeFormatAsm;
    auto marks = [](const CK74x_75xView& view) {
        fw::CommandState c, assembly;
        view.OnUpdateCommand(ID_OPTIONS_CODEFORMAT_C, c);
        view.OnUpdateCommand(ID_OPTIONS_CODEFORMAT_ASM, assembly);
        return std::make_pair(c.checked, assembly.checked);
    };
    EXPECT_EQ(marks(*project.view), std::make_pair(true, false));
    second.Activate();
    EXPECT_EQ(marks(*second.view), std::make_pair(false, true));
    EXPECT_EQ(marks(*project.view), std::make_pair(false, true));  // one menu bar, the active document
    project.Activate();
    EXPECT_EQ(marks(*project.view), std::make_pair(true, false));
}

TEST_F(CodeWindow, SaveSourceWritesTheTextByteForByte) {
    const std::filesystem::path target = folder / "init.c";
    app.platform.savePath = target.string();
    project.view->OnCommand(ID_FILE_SAVE_SOURCE);
    ASSERT_EQ(app.platform.saveRequests.size(), 1u);
    EXPECT_EQ(app.platform.saveRequests[0].fileName, "Untitled.c");
    EXPECT_EQ(app.platform.saveRequests[0].defaultExtension, "c");
    EXPECT_EQ(app.platform.saveRequests[0].filter, "C Files (*.c)|*.c|All Files (*.*)|*.*|");
    EXPECT_TRUE(app.platform.saveRequests[0].promptBeforeOverwrite);
    EXPECT_TRUE(app.platform.saveRequests[0].hideReadOnly);
    EXPECT_EQ(ReadFile(target), project.view->GetText());
    EXPECT_FALSE(project.document->IsModified());

    project.view->OnCommand(ID_OPTIONS_CODEFORMAT_ASM);
    const std::filesystem::path asmTarget = folder / "init.asm";
    app.platform.savePath = asmTarget.string();
    project.view->OnCommand(ID_FILE_SAVE_SOURCE);
    EXPECT_EQ(app.platform.saveRequests[1].fileName, "Untitled.asm");
    EXPECT_EQ(app.platform.saveRequests[1].defaultExtension, "asm");
    EXPECT_EQ(app.platform.saveRequests[1].filter, "ASM Files (*.asm)|*.asm|All Files (*.*)|*.*|");
    EXPECT_EQ(ReadFile(asmTarget), project.view->GetText());
    // An existing file is replaced, not appended to.
    app.platform.savePath = target.string();
    project.view->OnCommand(ID_FILE_SAVE_SOURCE);
    EXPECT_EQ(ReadFile(target), project.view->GetText());
    EXPECT_TRUE(app.platform.boxes.empty());
}

TEST_F(CodeWindow, SaveSourceCancelledOrUnwritable) {
    app.platform.savePath.reset();
    project.view->OnCommand(ID_FILE_SAVE_SOURCE);
    EXPECT_TRUE(app.platform.boxes.empty());

    app.platform.savePath = (folder / "missing-folder" / "init.c").string();
    project.view->OnCommand(ID_FILE_SAVE_SOURCE);
    ASSERT_EQ(app.platform.boxes.size(), 1u);
    EXPECT_EQ(app.platform.boxes[0].text,
              "Error: Could Not Open File For Save.\n" + *app.platform.savePath + ": No such file or directory");
    EXPECT_EQ(app.platform.boxes[0].icon, fw::MessageIcon::Question);
    EXPECT_EQ(app.platform.boxes[0].buttons, fw::MessageButtons::Ok);

    // A folder in the way: nothing is written, the folder stays.
    const std::filesystem::path blocker = folder / "blocker";
    std::filesystem::create_directory(blocker);
    app.platform.savePath = blocker.string();
    project.view->OnCommand(ID_FILE_SAVE_SOURCE);
    EXPECT_EQ(app.platform.boxes.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(blocker));
    EXPECT_TRUE(std::filesystem::is_empty(blocker));
    // No temporary file left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++entries;
    EXPECT_EQ(entries, 1u);

    // A project file is never replaced by the source.
    const std::string project = (folder / "board.rsg").string();
    const std::string bytes = static_cast<CDeviceDocument*>(this->project.document.get())->ToBytes();
    WriteFile(project, bytes);
    app.platform.savePath = project;
    this->project.view->OnCommand(ID_FILE_SAVE_SOURCE);
    ASSERT_EQ(app.platform.boxes.size(), 3u);
    EXPECT_EQ(app.platform.boxes[2].text,
              "Error: " + project + " holds a Regsmith project; the source was not saved over it.");
    EXPECT_EQ(ReadFile(project), bytes);
}

TEST_F(CodeWindow, PrintHandsTheColouredTextToThePlatform) {
    project.view->OnCommand(fw::ID_FILE_PRINT);
    ASSERT_EQ(app.platform.printed.size(), 1u);
    EXPECT_EQ(app.platform.printed[0].documentName, "Regsmith");
    EXPECT_EQ(app.platform.printed[0].text, project.view->GetText());
    EXPECT_EQ(app.platform.printed[0].colours, project.view->GetColours());
    EXPECT_EQ(app.platform.printed[0].font.face, "Courier New");
    EXPECT_TRUE(app.platform.boxes.empty());

    const std::pair<fw::PrintResult, const char*> failures[] = {
        {fw::PrintResult::NoPrinter, "No printer is selected.\nPlease select a default printer."},
        {fw::PrintResult::JobFailed, "Couldn't print document."},
        {fw::PrintResult::PageFailed, "Error starting new page!"},
    };
    for (const auto& [result, message] : failures) {
        app.platform.boxes.clear();
        app.platform.printResult = result;
        project.view->OnCommand(fw::ID_FILE_PRINT);
        ASSERT_EQ(app.platform.boxes.size(), 1u);
        EXPECT_EQ(app.platform.boxes[0].text, message);
        EXPECT_EQ(app.platform.boxes[0].buttons, fw::MessageButtons::Ok);
    }
    app.platform.boxes.clear();
    app.platform.printResult = fw::PrintResult::Cancelled;
    project.view->OnCommand(fw::ID_FILE_PRINT);
    EXPECT_TRUE(app.platform.boxes.empty());
}

TEST_F(CodeWindow, HelpOpensTheHelpFileOrSaysWhyNot) {
    project.view->OnCommand(ID_HELP_HELP);
    ASSERT_EQ(app.platform.boxes.size(), 1u);
    EXPECT_NE(app.platform.boxes[0].text.find("RegsmithHelp.chm"), std::string::npos);
    EXPECT_TRUE(app.platform.openedPaths.empty());

    const std::filesystem::path help = folder / "RegsmithHelp.chm";
    app.app.SetHelpFilePath(help.string());
    app.platform.boxes.clear();
    project.view->OnCommand(ID_HELP_HELP);
    ASSERT_EQ(app.platform.boxes.size(), 1u);
    EXPECT_EQ(app.platform.boxes[0].text, "Error: The help file \"" + help.string() + "\" was not found.");

    std::ofstream(help) << "help";
    app.platform.boxes.clear();
    project.view->OnCommand(ID_HELP_HELP);
    EXPECT_TRUE(app.platform.boxes.empty());
    EXPECT_EQ(app.platform.openedPaths, std::vector<std::string>{help.string()});

    app.platform.openResult = false;
    project.view->OnCommand(ID_HELP_HELP);
    ASSERT_EQ(app.platform.boxes.size(), 1u);
    EXPECT_EQ(app.platform.boxes[0].text, "Error: The help file \"" + help.string() + "\" could not be opened.");
}

TEST_F(CodeWindow, ResetAllAsksAndAlwaysRegenerates) {
    auto& document = *project.document;
    document.deviceData.codeFormat = kCodeFormatAsm;
    document.deviceData.blockMap.at(kBlockUart).registers[0].value = 0x10;
    document.clocks.sysclk = 24500000;
    project.view->SetText("stale");

    app.platform.answers = {fw::DialogResult::No};
    project.view->OnCommand(ID_PERIPHERALS_RESETALL);
    ASSERT_EQ(app.platform.boxes.size(), 1u);
    EXPECT_EQ(app.platform.boxes[0].text, "Reset all peripheral data to default?");
    EXPECT_EQ(app.platform.boxes[0].icon, fw::MessageIcon::Question);
    EXPECT_EQ(app.platform.boxes[0].buttons, fw::MessageButtons::YesNo);
    EXPECT_EQ(project.view->GetText(), GenerateCode(document));
    EXPECT_NE(project.view->GetText().find("UART_Init"), std::string::npos);
    EXPECT_FALSE(document.IsModified());

    app.platform.answers = {fw::DialogResult::Yes};
    project.view->OnCommand(ID_PERIPHERALS_RESETALL);
    EXPECT_EQ(document.deviceData.blockMap.at(kBlockUart).registers[0].value, 0x00);
    EXPECT_EQ(document.clocks, kDefaultClockSettings);
    EXPECT_EQ(document.deviceData.codeFormat, kCodeFormatAsm);
    EXPECT_EQ(project.view->GetText(), GenerateCode(document));
    EXPECT_EQ(project.view->GetText().find("UART_Init"), std::string::npos);
    EXPECT_TRUE(document.IsModified());
}

}  // namespace
}  // namespace regsmith
