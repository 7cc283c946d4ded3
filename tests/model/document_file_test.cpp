// Opening and saving a project through the document's commands.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include "codegen/generator.h"
#include "fw/app.h"
#include "fw/archive.h"
#include "fw/commands.h"
#include "model/k74x_75x_doc.h"
#include "model/project_file.h"
#include "tests/model/file_bytes.h"
#include "tests/model/project_bytes.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/files.h"
#include "tests/support/recording_platform.h"

namespace regsmith {
namespace {

using testing::FileBytes;
using testing::ProjectBytes;
using testing::ReadFile;
using testing::RecordingPlatform;
using testing::ScratchFolder;
using testing::WriteFile;

class DocumentFile : public ::testing::Test {
protected:
    DocumentFile() { app_.SetPlatform(&platform_); }


    fw::CWinApp app_;
    RecordingPlatform platform_;
    ScratchFolder folder_;
};

TEST_F(DocumentFile, OpenReadsTheProjectAndClearsTheModifiedFlag) {
    CK74x_75xDoc original(0xD7);
    ASSERT_TRUE(original.OnNewDocument());
    original.deviceData.blockMap[kBlockUart].registers[0].value = 0x10;
    const std::string path = folder_.File("board.rsg");
    WriteFile(path, ProjectBytes(original));

    CK74x_75xDoc opened(0xD0);
    opened.SetModifiedFlag();
    ASSERT_TRUE(opened.OnOpenDocument(path));
    EXPECT_TRUE(platform_.boxes.empty());
    EXPECT_EQ(opened.GetPathName(), path);
    EXPECT_FALSE(opened.IsModified());
    EXPECT_EQ(opened.deviceId, 0xD7);
    EXPECT_EQ(GenerateCode(opened), GenerateCode(original));
}

TEST_F(DocumentFile, NewerFileIsRefusedWithItsMessageAndTheOpenFails) {
    FileBytes file;
    file.Head(0xD0, 1, 82).Text("QK740").Int32(0).Int32(0);
    const std::string path = folder_.File("newer.rsg");
    WriteFile(path, file.str());
    CK74x_75xDoc document(0xD0);
    EXPECT_FALSE(document.OnOpenDocument(path));
    EXPECT_EQ(platform_.Texts(), std::vector<std::string>{"Error: This file is not supported under this DLL version"});
    EXPECT_EQ(document.GetPathName(), "");
    EXPECT_EQ(document.clocks, kDefaultClockSettings);
    // The file is untouched.
    EXPECT_EQ(ReadFile(path), file.str());
}

TEST_F(DocumentFile, CorruptOrMissingFileFailsWithAMessageNamingFileAndCause) {
    FileBytes file;
    file.Head(0xD0, 1, 81).Text("QK740").Int32(0).Int32(-3);
    const std::string corrupt = folder_.File("corrupt.rsg");
    WriteFile(corrupt, file.str());
    const std::string empty = folder_.File("empty.rsg");
    WriteFile(empty, "");
    const std::string missing = folder_.File("missing.rsg");

    struct Case {
        std::string path, start, cause;
    };
    const Case cases[] = {
        {corrupt, "Error: Could not read the project file " + corrupt + ": ", "negative block count -3"},
        {empty, "Error: Could not read the project file " + empty + ": ", "the file is empty"},
        {missing, "Error: Could not open the project file " + missing + ": ", "No such file"},
        {folder_.Path().string(), "Error: Could not open the project file " + folder_.Path().string() + ": ",
         "folder"},
    };
    for (const Case& c : cases) {
        platform_.boxes.clear();
        CK74x_75xDoc document(0xD0);
        EXPECT_FALSE(document.OnOpenDocument(c.path)) << c.path;
        ASSERT_EQ(platform_.boxes.size(), 1u) << c.path;
        EXPECT_EQ(platform_.Texts()[0].find(c.start), 0u) << platform_.Texts()[0];
        EXPECT_NE(platform_.Texts()[0].find(c.cause), std::string::npos) << platform_.Texts()[0];
    }
}

TEST_F(DocumentFile, SaveProjectWithoutPathBehavesAsSaveAs) {
    CK74x_75xDoc document(0xD2);
    ASSERT_TRUE(document.OnNewDocument());
    document.SetModifiedFlag();
    const std::string path = folder_.File("chosen.rsg");
    platform_.savePath = path;
    EXPECT_TRUE(document.OnCommand(fw::ID_FILE_SAVE));
    ASSERT_EQ(platform_.saveRequests.size(), 1u);
    const fw::SaveFileRequest& request = platform_.saveRequests[0];
    EXPECT_EQ(request.defaultExtension, "rsg");
    EXPECT_EQ(request.fileName, "Untitled.rsg");
    EXPECT_EQ(request.filter, "Regsmith Files (*.rsg)|*.rsg|All Files (*.*)|*.*|");
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_TRUE(request.promptBeforeOverwrite);
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(document.GetTitle(), "chosen.rsg");
    EXPECT_EQ(app_.GetRecentFiles(), std::vector<std::string>{path});
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(ReadFile(path), ProjectBytes(document));

    // With a path, Save Project writes there without asking.
    document.deviceData.codeFormat = kCodeFormatAsm;
    document.SetModifiedFlag();
    EXPECT_TRUE(document.OnCommand(fw::ID_FILE_SAVE));
    EXPECT_EQ(platform_.saveRequests.size(), 1u);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(ReadFile(path), ProjectBytes(document));
    EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(DocumentFile, CancelledSaveAsChangesNothing) {
    CK74x_75xDoc document(0xD0);
    ASSERT_TRUE(document.OnNewDocument());
    document.SetModifiedFlag();
    EXPECT_TRUE(document.OnCommand(fw::ID_FILE_SAVE_AS));
    EXPECT_EQ(platform_.saveRequests.size(), 1u);
    EXPECT_EQ(document.GetPathName(), "");
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(app_.GetRecentFiles().empty());
}

TEST_F(DocumentFile, SaveThatCannotCreateItsFileReportsAndChangesNothing) {
    CK74x_75xDoc document(0xD0);
    ASSERT_TRUE(document.OnNewDocument());
    document.SetModifiedFlag();
    platform_.savePath = folder_.File("no-such-folder/board.rsg");
    EXPECT_TRUE(document.OnCommand(fw::ID_FILE_SAVE_AS));
    EXPECT_EQ(platform_.Texts(), std::vector<std::string>{std::string("Error: Could Not Open File For Save.\n") +
                                                          *platform_.savePath + ": No such file or directory"});
    EXPECT_EQ(document.GetPathName(), "");
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(app_.GetRecentFiles().empty());
}

TEST_F(DocumentFile, SaveThatFailsWhileWritingLeavesTheOldFileIntact) {
    CK74x_75xDoc document(0xD0);
    ASSERT_TRUE(document.OnNewDocument());
    const std::string path = folder_.File("board.rsg");
    const std::string old = "the user's old project";
    WriteFile(path, old);
    document.SetPathName(path);
    document.SetModifiedFlag();

    // Limit the size of files this process may write, so the write of the
    // project (about 3 kB) fails half-way.
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*previous)(int) = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = document.DoSave();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(ReadFile(path), old);
    ASSERT_EQ(platform_.boxes.size(), 1u);
    EXPECT_EQ(platform_.Texts()[0].find("Error: Could not save " + path + ": "), 0u) << platform_.Texts()[0];
    EXPECT_TRUE(document.IsModified());
    // No temporary file is left behind.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.Path())) ++files;
    EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace regsmith
