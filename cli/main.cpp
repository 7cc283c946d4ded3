// regsmith-cli: headless use of the device plug-ins (list models, create a
// project, generate its source, compare and dump projects, run a script).

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "fw/files.h"

namespace {

using namespace regsmith::cli;

constexpr const char* kVersion = "regsmith-cli 1.0";

constexpr const char* kFooter = R"(Exit status:
  0  success (diff: the projects hold the same; generate --check: the output is up to date;
     check: no error)
  1  a refused input or a failed operation (diff: the projects differ;
     generate --check: the output is out of date; check: an error, or a
     warning with --werror)
  2  a usage error: unknown command or option, missing or empty argument

Run 'regsmith-cli COMMAND --help' for the options of a command.)";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "regsmith-cli: %s (see regsmith-cli --help)\n", message.c_str());
    return kExitUsage;
}

// Help or the version, printed on standard output as CLI11 does; a failure to
// write it (a full disk, a closed output) is reported like any other.
int Printed(const CLI::App& app, const CLI::Error& request) {
    errno = 0;
    const int status = app.exit(request);
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    return failed ? Fail(StandardOutputFailure(errno)) : status;
}

// The commands, as the app declares them.
std::vector<std::string> CommandNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    return names;
}

// "a, b or c".
std::string Listed(const std::vector<std::string>& words) {
    std::string list;
    for (std::size_t i = 0; i < words.size(); ++i)
        list += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    return list;
}

// The first word that is neither an option of the program nor its value
// must be a command; says what is wrong otherwise, or "".
std::string FirstWordProblem(const CLI::App& app, int argc, char** argv) {
    const std::vector<std::string> commands = CommandNames(app);
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--plugins") {
            ++i;
            continue;
        }
        if (word.rfind("--plugins=", 0) == 0 || word == "-h" || word == "--help" || word == "--version") continue;
        if (!word.empty() && word[0] == '-') return "unknown option " + word;
        if (std::find(commands.begin(), commands.end(), word) == commands.end()) return "unknown command " + word;
        return {};
    }
    return "a command is required: " + Listed(commands);
}

// CLI11's own messages, in this program's words.
std::string UsageMessage(const CLI::ParseError& error) {
    const std::string what = error.what();
    const std::string name = error.get_name();
    if (name == "ExtrasError" || what.find("not expected: ") != std::string::npos) {
        const std::size_t colon = what.find(": ");
        std::string word = colon == std::string::npos ? what : what.substr(colon + 2);
        word = word.substr(0, word.find(' '));
        return (!word.empty() && word[0] == '-' ? "unknown option " : "unexpected argument ") + word;
    }
    if (name == "RequiredError") {
        const std::size_t required = what.rfind(" is required");
        if (required != std::string::npos) return "missing " + what.substr(0, required);
    }
    if (name == "ArgumentMismatch") return "an option lacks its value: " + what;
    return what;
}

}  // namespace

int main(int argc, char** argv) {
    fw::ReserveStandardDescriptors();
    CLI::App app{"Regsmith command-line tool: create projects, generate their initialisation source, compare them "
                 "and drive the sheets from a script"};
    app.footer(kFooter);
    app.set_version_flag("--version", kVersion);
    app.require_subcommand(1);
    std::string pluginFolder;
    app.add_option("--plugins", pluginFolder, "Folder holding the device plug-ins");

    auto* models = app.add_subcommand("models", "List the device models with their device ids");

    std::string model, newOutput;
    bool force = false;
    auto* create = app.add_subcommand("new", "Write a new project of a model");
    create->add_option("MODEL", model, "Model name, such as QK750 (case-insensitive)")->required();
    create->add_option("-o,--output", newOutput, "Project file to write (.rsg; - for standard output)")->required();
    create->add_flag("--force", force, "Replace an existing file");

    std::vector<std::string> generateFiles;
    GenerateOptions options;
    std::string lineEnds = "crlf";
    bool check = false;
    auto* generate = app.add_subcommand(
        "generate", "Print or write the generated initialisation source of one or more projects");
    generate->add_option("FILE", generateFiles, "Project files (.rsg); with --check: the project and its output")
        ->required();
    generate->add_option("--format", options.format, "c or asm (default: the project's own)")
        ->transform(CLI::IsMember({"c", "asm"}, CLI::ignore_case));
    generate->add_option("-o,--output", options.output,
                         "Write to this file (- for standard output), or into this folder, one file per project "
                         "named after it (.c or .asm)");
    generate->add_option("--line-ends", lineEnds, "crlf (default, as the code window shows) or lf")
        ->transform(CLI::IsMember({"lf", "crlf"}, CLI::ignore_case));
    generate->add_flag("--check", check,
                       "FILE OUT: exit 0 when OUT is exactly what FILE generates, 1 with the reason when not");

    std::vector<std::string> diffFiles;
    auto* diff = app.add_subcommand("diff", "Show what differs between two projects (exit 1 when they differ)");
    diff->add_option("A", diffFiles, "Two project files (.rsg)")->required()->expected(2);

    std::string dumpInput;
    bool json = false, changed = false, pins = false, clockTree = false;
    auto* dump = app.add_subcommand("dump", "Print everything a project holds");
    dump->add_option("FILE", dumpInput, "Project file (.rsg)")->required();
    dump->add_flag("--json", json, "JSON instead of text");
    dump->add_flag("--changed", changed, "Only what differs from a new project of the same model");
    dump->add_flag("--pins", pins, "The pin map: what each port pin does");
    dump->add_flag("--clocks", clockTree, "The clock tree: from the oscillators to every peripheral clock");

    std::vector<std::string> checkFiles;
    bool checkJson = false, werror = false;
    auto* checkProblems = app.add_subcommand(
        "check", "List the problems of one or more projects (exit 1 when there is an error)");
    checkProblems->add_option("FILE", checkFiles, "Project files (.rsg)")->required();
    checkProblems->add_flag("--json", checkJson, "JSON instead of text");
    checkProblems->add_flag("--werror", werror, "Warnings fail too (exit 1)");

    std::vector<std::string> reportFiles;
    ReportOptions reportOptions;
    std::string paper = "a4";
    auto* report = app.add_subcommand(
        "report", "Write the configuration report of one or more projects (HTML, Markdown or PDF)");
    report->add_option("FILE", reportFiles, "Project files (.rsg)")->required();
    report->add_option("-o,--output", reportOptions.output,
                       "Write to this file (.html, .md or .pdf; - for standard output), or into this folder, one "
                       "report per project named after it");
    report->add_option("--format", reportOptions.format, "html, md or pdf (default: from the output's extension, else html)")
        ->transform(CLI::IsMember({"html", "md", "pdf"}, CLI::ignore_case));
    report->add_flag("--date", reportOptions.date, "Print today's date in the title block");
    report->add_option("--paper", paper, "a4 (default) or letter, for PDF")
        ->transform(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));

    std::string scriptInput;
    auto* script = app.add_subcommand(
        "script", "Drive the sheets and pages from a script (standard input without FILE or with -)");
    script->add_option("FILE", scriptInput, "Script file");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return Printed(app, help);
    } catch (const CLI::CallForAllHelp& help) {
        return Printed(app, help);
    } catch (const CLI::CallForVersion& version) {
        return Printed(app, version);
    } catch (const CLI::ParseError& error) {
        const std::string problem = FirstWordProblem(app, argc, argv);
        return UsageError(problem.empty() ? UsageMessage(error) : problem);
    }

    // Paths: an empty one names nothing (it is not standard output).
    const auto empty = [](const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            if (path.empty()) return true;
        return false;
    };
    if (*create && (model.empty() || newOutput.empty())) return UsageError("new: an empty model or file name");
    if (*generate) {
        if (empty(generateFiles) || (generate->count("--output") && options.output.empty()))
            return UsageError("generate: an empty file name");
        if (check && (generateFiles.size() != 2 || generate->count("--output")))
            return UsageError("generate --check takes the project and its output file: FILE OUT");
        if (!check && generateFiles.size() > 1 && !IsFolder(options.output))
            return UsageError(options.output.empty()
                                  ? "generate: several projects need -o FOLDER"
                                  : "generate: with several projects -o must name an existing folder, not " +
                                        options.output);
        options.lineFeedsOnly = lineEnds == "lf";
    }
    if (*diff && empty(diffFiles)) return UsageError("diff: an empty file name");
    if (*dump && dumpInput.empty()) return UsageError("dump: an empty file name");
    if (*dump && json && changed) return UsageError("dump: --changed lists the changes as text, without --json");
    if (*dump && (changed + pins + clockTree) > 1)
        return UsageError("dump: --changed, --pins and --clocks exclude one another");
    if (*checkProblems && empty(checkFiles)) return UsageError("check: an empty file name");
    if (*script && script->count("FILE") && scriptInput.empty()) return UsageError("script: an empty file name");
    if (*report) {
        if (empty(reportFiles) || (report->count("--output") && reportOptions.output.empty()))
            return UsageError("report: an empty file name");
        if (reportFiles.size() > 1 && !IsFolder(reportOptions.output))
            return UsageError(reportOptions.output.empty()
                                  ? "report: several projects need -o FOLDER"
                                  : "report: with several projects -o must name an existing folder, not " +
                                        reportOptions.output);
        reportOptions.letter = paper == "letter";
        const std::string& output = reportOptions.output;
        // The format comes from --format, else from a single output file's extension.
        const bool fromExtension =
            reportOptions.format.empty() && !output.empty() && output != "-" && !IsFolder(output);
        if (fromExtension && !fw::ReportFormatOfPath(output))
            return UsageError("report: cannot tell the format of " + output +
                              " (name it .html, .md or .pdf, or give --format)");
        const bool pdf = reportOptions.format == "pdf" ||
                         (fromExtension && fw::ReportFormatOfPath(output) == fw::ReportFormat::Pdf);
        if (pdf && output.empty()) return UsageError("report: a PDF report needs -o FILE (or -o - for standard output)");
    }

    Session session(pluginFolder);
    if (!session.Ready()) return kExitFailure;
    if (*models) return session.ListModels();
    if (*create) return session.NewProject(model, newOutput, force);
    if (*generate && check) return session.Check(generateFiles[0], generateFiles[1], options);
    if (*generate) return session.Generate(generateFiles, options);
    if (*diff) return session.Diff(diffFiles[0], diffFiles[1]);
    if (*dump)
        return session.Dump(dumpInput, json,
                            changed      ? Session::DumpContent::Changed
                            : pins       ? Session::DumpContent::Pins
                            : clockTree  ? Session::DumpContent::Clocks
                                         : Session::DumpContent::All);
    if (*checkProblems) return session.CheckProblems(checkFiles, checkJson, werror);
    if (*script) return session.RunScript(scriptInput);
    if (*report) return session.Report(reportFiles, reportOptions);
    return kExitUsage;
}
