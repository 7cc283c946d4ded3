#include "cli/commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

#include "cli/output.h"
#include "fw/archive.h"
#include "fw/commands.h"
#include "fw/plugin_loader.h"
#include "fw/ui.h"

namespace regsmith::cli {

class ReportingPlatform : public fw::PlatformServices {
public:
    // The file being worked on and its role ("the project file"), named in
    // every report unless the message names the file itself.
    std::string role, path;

    fw::DialogResult MessageBox(const std::string& text, fw::MessageIcon, fw::MessageButtons buttons) override {
        // The document's own messages name the file as "... file PATH: cause"
        // or "Error: PATH is ...": the path is not repeated then.
        const bool namesPath = text.find(" " + path + ": ") != std::string::npos ||
                               text.rfind("Error: " + path + " ", 0) == 0;
        std::string line = text;
        if (!path.empty() && !namesPath) line = role + " " + path + ": " + text;
        // A name holding a line break is shown escaped, so the report stays one line.
        const std::string shown = ShownName(path);
        if (shown != path)
            for (std::size_t at = line.find(path); at != std::string::npos; at = line.find(path, at + shown.size()))
                line.replace(at, path.size(), shown);
        std::fprintf(stderr, "regsmith-cli: %s\n", line.c_str());
        return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::No;
    }
    fw::DialogResult RunModal(fw::PropertySheet&) override { return fw::DialogResult::Cancel; }
    fw::DialogResult RunModal(fw::Dialog&) override { return fw::DialogResult::Cancel; }
    std::optional<std::string> SaveFileDialog(const fw::SaveFileRequest&) override { return std::nullopt; }
    fw::PrintResult Print(const fw::PrintRequest&) override { return fw::PrintResult::NoPrinter; }
    bool OpenWithDefaultApplication(const std::string&) override { return false; }
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "regsmith-cli: %s\n", message.c_str());
    return kExitFailure;
}

bool WriteStandardOutput(const std::string& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (written && std::fflush(stdout) == 0) return true;
    Fail(StandardOutputFailure(errno));
    return false;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return !path.empty() && path != "-" && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

namespace {

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The 1-based line on which two texts first differ.
std::size_t FirstDifferentLine(const std::string& a, const std::string& b) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i)
        if (a[i] == '\n') ++line;
    return line;
}

}  // namespace

Session::Session(const std::string& pluginFolder) : platform_(std::make_unique<ReportingPlatform>()) {
    app_.SetPlatform(platform_.get());
    const std::string folder = pluginFolder.empty() ? fw::DefaultPluginFolder() : pluginFolder;
    fw::PluginLoadReport report = fw::LoadPlugins(folder);
    for (const std::string& error : report.errors) std::fprintf(stderr, "regsmith-cli: %s\n", error.c_str());
    ready_ = !app_.GetTemplates().empty();
    if (!ready_) std::fprintf(stderr, "regsmith-cli: no device plug-in could be loaded from %s\n", folder.c_str());
}

Session::~Session() = default;

int Session::ListModels() {
    std::string list;
    for (const auto& docTemplate : app_.GetTemplates())
        list += docTemplate->GetDocString(fw::CDocTemplate::fileNewName) + "  " + docTemplate->GetAttribute("deviceId") +
                "\n";
    return WriteStandardOutput(list) ? kExitSuccess : kExitFailure;
}

fw::OpenDocument Session::Open(const std::string& input, bool inspection) {
    platform_->role = "the project file";
    platform_->path = input;
    const fw::CDocTemplate& any = *app_.GetTemplates().front();
    return inspection ? any.InspectDocumentFile(input) : any.OpenDocumentFile(input);
}

bool Session::MayWriteOver(const std::string& output, const std::vector<std::string>& inputs, const std::string& role) {
    struct stat target;
    if (output == "-" || ::stat(output.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) return true;
    const std::string cannot = "cannot write " + role + " " + ShownName(output) + ": ";
    // The same file may be named through another path or a link.
    for (const std::string& input : inputs) {
        struct stat source;
        if (::stat(input.c_str(), &source) == 0 && SameFile(source, target)) {
            Fail(cannot + "it is the project being read");
            return false;
        }
    }
    if (app_.GetTemplates().front()->RecognisesFile(output)) {
        Fail(cannot + "it holds a Regsmith project");
        return false;
    }
    return true;
}

bool Session::WriteOutput(const std::string& output, const std::string& bytes, const std::string& role,
                          fw::ExistingFile existing) {
    if (output == "-") return WriteStandardOutput(bytes);
    std::string error;
    if (fw::WriteFileAtomically(output, bytes, error, nullptr, existing)) return true;
    if (existing == fw::ExistingFile::kRefuse && error == fw::kFileExistsError)
        Fail(role + " " + ShownName(output) + " exists already (--force replaces it)");
    else
        Fail("cannot write " + role + " " + ShownName(output) + ": " + error);
    return false;
}

int Session::NewProject(const std::string& model, const std::string& output, bool force) {
    const fw::CDocTemplate* docTemplate = app_.FindTemplate(model);
    if (!docTemplate) return Fail("unknown model \"" + model + "\" (see 'regsmith-cli models')");
    // A file (also through a link) is not replaced unless asked to; devices
    // and pipes are written to.  The writer creates it exclusively, so of two
    // at once only one succeeds; this early look only saves the work.
    struct stat existing;
    if (!force && output != "-" && ::stat(output.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return Fail("the project file " + ShownName(output) + " exists already (--force replaces it)");
    fw::OpenDocument opened = docTemplate->CreateNewDocument();
    if (!opened.document) return Fail("could not create a " + model + " project");
    fw::CArchive archive;
    opened.document->Serialize(archive);
    return WriteOutput(output, archive.Buffer(), "the project file",
                       force ? fw::ExistingFile::kReplace : fw::ExistingFile::kRefuse)
               ? kExitSuccess
               : kExitFailure;
}

bool Session::GeneratedText(const std::string& input, const GenerateOptions& options, std::string& text,
                            bool* assembly) {
    fw::OpenDocument opened = Open(input);
    if (!opened.document) return false;
    if (!options.format.empty()) {
        // Switch through the menu command, as a user would; it regenerates the text.
        const std::string item = options.format == "c" ? "C" : "Asm";
        const int command = fw::FindMenuCommand(app_.GetTemplates().front()->GetMenu(), item, "Options");
        if (command == fw::ID_NONE ||
            fw::RouteCommand(opened.view.get(), opened.document.get(), command) != fw::RouteResult::Handled) {
            Fail("the plug-in offers no code format \"" + item + "\"");
            return false;
        }
    }
    if (assembly) {
        const int asmCommand = fw::FindMenuCommand(app_.GetTemplates().front()->GetMenu(), "Asm", "Options");
        *assembly = fw::QueryCommand(opened.view.get(), opened.document.get(), asmCommand).checked;
    }
    text = options.lineFeedsOnly ? WithLineFeedsOnly(opened.view->GetText()) : opened.view->GetText();
    return true;
}

int Session::Generate(const std::vector<std::string>& inputs, const GenerateOptions& options) {
    if (inputs.size() == 1 && !IsFolder(options.output)) {
        std::string text;
        if (!GeneratedText(inputs.front(), options, text)) return kExitFailure;
        const std::string output = options.output.empty() ? "-" : options.output;
        return MayWriteOver(output, inputs, "the output file") && WriteOutput(output, text, "the output file")
                   ? kExitSuccess
                   : kExitFailure;
    }
    // One output per project, named after it, in the folder.
    int status = kExitSuccess;
    std::set<std::string> written;
    for (const std::string& input : inputs) {
        std::string text;
        bool assembly = false;
        if (!GeneratedText(input, options, text, &assembly)) {
            status = kExitFailure;
            continue;
        }
        const std::filesystem::path name = std::filesystem::path(input).filename().replace_extension(assembly ? ".asm" : ".c");
        const std::string output = (std::filesystem::path(options.output) / name).string();
        if (!written.insert(output).second) {
            status = Fail("cannot write the output file " + ShownName(output) + ": another project given writes it too");
            continue;
        }
        if (!MayWriteOver(output, inputs, "the output file") || !WriteOutput(output, text, "the output file"))
            status = kExitFailure;
    }
    return status;
}

int Session::Check(const std::string& input, const std::string& output, const GenerateOptions& options) {
    std::string text;
    if (!GeneratedText(input, options, text)) return kExitFailure;
    std::string current, error;
    // "-": the output to check comes on standard input.
    const std::string shown = output == "-" ? "standard input" : ShownName(output);
    if (output == "-") {
        if (!fw::ReadWholeDescriptor(0, current, error)) return Fail("cannot read standard input: " + error);
    } else {
        struct stat info;
        if (::stat(output.c_str(), &info) != 0)
            return Fail(shown + " is out of date: it does not exist (regsmith-cli generate " + ShownName(input) +
                        " -o " + shown + ")");
        if (!fw::ReadWholeFile(output, current, error))
            return Fail("cannot read the output file " + shown + ": " + error);
    }
    if (current == text) return kExitSuccess;
    return Fail(shown + " is out of date: line " + std::to_string(FirstDifferentLine(current, text)) +
                " differs from what " + ShownName(input) + " generates");
}

int Session::Dump(const std::string& input, bool json, bool changed) {
    fw::OpenDocument opened = Open(input, true);
    if (!opened.document) return kExitFailure;
    std::ostringstream out;
    if (changed)
        opened.document->DumpChanges(out);
    else
        opened.document->Dump(out, json);
    return WriteStandardOutput(out.str()) ? kExitSuccess : kExitFailure;
}

int Session::Diff(const std::string& first, const std::string& second) {
    fw::OpenDocument a = Open(first, true);
    if (!a.document) return kExitFailure;
    fw::OpenDocument b = Open(second, true);
    if (!b.document) return kExitFailure;
    std::ostringstream out;
    const bool different = a.document->WriteDifferences(*b.document, out);
    if (!WriteStandardOutput(out.str())) return kExitFailure;
    return different ? kExitFailure : kExitSuccess;
}

}  // namespace regsmith::cli
