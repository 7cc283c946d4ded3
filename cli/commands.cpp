#include "cli/commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <ctime>
#include <optional>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

#include "cli/output.h"
#include "fw/archive.h"
#include "fw/commands.h"
#include "fw/overview.h"
#include "fw/plugin_loader.h"
#include "fw/ui.h"
#ifdef REGSMITH_PDF
#include "report/report_pdf.h"
#endif

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

int Session::Dump(const std::string& input, bool json, DumpContent what) {
    fw::OpenDocument opened = Open(input, true);
    if (!opened.document) return kExitFailure;
    std::ostringstream out;
    if (what == DumpContent::Pins || what == DumpContent::Clocks) {
        fw::ChipOverview overview;
        if (!opened.document->GetOverview(overview)) return Fail("the plug-in gives no overview of " + input);
        if (what == DumpContent::Pins)
            out << (json ? fw::PinsJson(overview.pins) + "\n" : fw::PinTableText(overview.pins));
        else
            out << (json ? fw::ClocksJson(overview.clocks) + "\n" : fw::ClockTreeText(overview.clocks));
    } else if (what == DumpContent::Changed) {
        opened.document->DumpChanges(out);
    } else {
        opened.document->Dump(out, json);
    }
    return WriteStandardOutput(out.str()) ? kExitSuccess : kExitFailure;
}

int Session::CheckProblems(const std::vector<std::string>& inputs, bool json, bool werror) {
    bool failed = false;
    fw::ProblemCounts total;
    std::string text;
    std::string files;
    for (const std::string& input : inputs) {
        fw::OpenDocument opened = Open(input);
        fw::ChipOverview overview;
        if (!opened.document) {
            failed = true;
            continue;
        }
        if (!opened.document->GetOverview(overview)) {
            failed = true;
            Fail("the plug-in gives no overview of " + input);
            continue;
        }
        const fw::ProblemCounts counts = fw::CountProblems(overview.problems);
        total.errors += counts.errors;
        total.warnings += counts.warnings;
        total.notes += counts.notes;
        for (const fw::Problem& problem : overview.problems) text += fw::ProblemLine(input, problem) + "\n";
        if (!files.empty()) files += ",\n";
        files += "{\"file\": " + fw::JsonQuoted(input) + ", \"model\": " + fw::JsonQuoted(overview.model) +
                 ", \"problems\": " + fw::ProblemsJson(overview.problems) + "}";
    }
    const auto count = [](const char* name, int value) { return "\"" + std::string(name) + "\": " + std::to_string(value); };
    const std::string output =
        json ? "{\"files\": [" + files + "],\n" + count("errors", total.errors) + ", " + count("warnings", total.warnings) +
                   ", " + count("notes", total.notes) + "}\n"
             : text + fw::CountsText(total) + "\n";
    if (!WriteStandardOutput(output)) return kExitFailure;
    const bool fails = failed || total.errors > 0 || (werror && total.warnings > 0);
    return fails ? kExitFailure : kExitSuccess;
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

namespace {

// Today's date as the report's title block prints it: "2026-12-09".
std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

}  // namespace

bool Session::ReportBytes(const std::string& input, fw::ReportFormat format, const ReportOptions& options,
                          std::string& bytes) {
    fw::OpenDocument opened = Open(input);
    if (!opened.document) return false;
    fw::ReportContent content;
    if (!opened.view->GetReportContent(content)) {
        Fail("the plug-in writes no report for " + input);
        return false;
    }
    content.fileName = std::filesystem::path(input).filename().string();
    if (options.date) content.date = Today();
    switch (format) {
        case fw::ReportFormat::Html: bytes = fw::ReportHtml(content); return true;
        case fw::ReportFormat::Markdown: bytes = fw::ReportMarkdown(content); return true;
        case fw::ReportFormat::Pdf: {
            std::string error = "this regsmith-cli was built without Qt, so it writes no PDF";
#ifdef REGSMITH_PDF
            const report::GuiScope gui;
            if (report::WritePdf(content, options.letter, bytes, error)) return true;
#endif
            Fail("cannot write the PDF report of " + input + ": " + error);
            return false;
        }
    }
    return false;
}

int Session::Report(const std::vector<std::string>& inputs, const ReportOptions& options) {
    const std::optional<fw::ReportFormat> named = fw::ReportFormatNamed(options.format);
    if (inputs.size() == 1 && !IsFolder(options.output)) {
        const std::string output = options.output.empty() ? "-" : options.output;
        const fw::ReportFormat format =
            named ? *named : fw::ReportFormatOfPath(output).value_or(fw::ReportFormat::Html);
        std::string bytes;
        if (!ReportBytes(inputs.front(), format, options, bytes)) return kExitFailure;
        return MayWriteOver(output, inputs, "the report") && WriteOutput(output, bytes, "the report") ? kExitSuccess
                                                                                                       : kExitFailure;
    }
    // One report per project, named after it, in the folder.
    const fw::ReportFormat format = named.value_or(fw::ReportFormat::Html);
    int status = kExitSuccess;
    std::set<std::string> written;
    for (const std::string& input : inputs) {
        const std::filesystem::path name =
            std::filesystem::path(input).filename().replace_extension(std::string(fw::ReportExtension(format)));
        const std::string output = (std::filesystem::path(options.output) / name).string();
        if (!written.insert(output).second) {
            status = Fail("cannot write the report " + output + ": another project given writes it too");
            continue;
        }
        std::string bytes;
        if (!ReportBytes(input, format, options, bytes) || !MayWriteOver(output, inputs, "the report") ||
            !WriteOutput(output, bytes, "the report"))
            status = kExitFailure;
    }
    return status;
}

}  // namespace regsmith::cli
