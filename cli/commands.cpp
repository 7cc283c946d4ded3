#include "cli/commands.h"

#include <cstdio>
#include <fstream>
#include <iostream>

#include "fw/archive.h"
#include "fw/commands.h"
#include "fw/plugin_loader.h"
#include "fw/ui.h"

namespace regsmith::cli {

class ReportingPlatform : public fw::PlatformServices {
public:
    std::string context;  // the file being worked on, named in every report
    int reports = 0;

    fw::DialogResult MessageBox(const std::string& text, fw::MessageIcon, fw::MessageButtons buttons) override {
        ++reports;
        std::fprintf(stderr, "regsmith-cli: %s%s%s\n", context.c_str(), context.empty() ? "" : ": ", text.c_str());
        return buttons == fw::MessageButtons::Ok ? fw::DialogResult::Ok : fw::DialogResult::No;
    }
    fw::DialogResult RunModal(fw::PropertySheet&) override { return fw::DialogResult::Cancel; }
    fw::DialogResult RunModal(fw::Dialog&) override { return fw::DialogResult::Cancel; }
    std::optional<std::string> SaveFileDialog(const fw::SaveFileRequest&) override { return std::nullopt; }
    fw::PrintResult Print(const fw::PrintRequest&) override { return fw::PrintResult::NoPrinter; }
    bool OpenWithDefaultApplication(const std::string&) override { return false; }
};

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "regsmith-cli: %s\n", message.c_str());
    return 1;
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

int Session::ListModels(std::ostream& out) const {
    for (const auto& docTemplate : app_.GetTemplates())
        out << docTemplate->GetDocString(fw::CDocTemplate::fileNewName) << "  "
            << docTemplate->GetAttribute("deviceId") << "\n";
    return 0;
}

fw::OpenDocument Session::Open(const std::string& input) {
    platform_->context = input;
    const fw::CDocTemplate& any = *app_.GetTemplates().front();
    return any.OpenDocumentFile(input);
}

int Session::NewProject(const std::string& model, const std::string& output) {
    const fw::CDocTemplate* docTemplate = app_.FindTemplate(model);
    if (!docTemplate) return Fail("unknown model \"" + model + "\" (see 'regsmith-cli models')");
    fw::OpenDocument opened = docTemplate->CreateNewDocument();
    if (!opened.document) return Fail("could not create a " + model + " project");
    platform_->context = output;
    fw::CArchive archive;
    opened.document->Serialize(archive);
    std::string error;
    if (!fw::WriteFileAtomically(output, archive.Buffer(), error)) return Fail(output + ": " + error);
    return 0;
}

int Session::Generate(const std::string& input, const std::string& format, const std::string& output) {
    fw::OpenDocument opened = Open(input);
    if (!opened.document) return 1;
    if (!format.empty()) {
        // Switch through the menu command, as a user would; it regenerates the text.
        const std::string item = (format == "c" || format == "C") ? "C" : "Asm";
        const int command = fw::FindMenuCommand(app_.GetTemplates().front()->GetMenu(), item, "Options");
        if (command == fw::ID_NONE ||
            fw::RouteCommand(opened.view.get(), opened.document.get(), command) != fw::RouteResult::Handled)
            return Fail("the plug-in offers no code format \"" + item + "\"");
    }
    const std::string& text = opened.view->GetText();
    if (output.empty()) {
        const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
        if (!written || std::fflush(stdout) != 0) return Fail("could not write the source to standard output");
        return 0;
    }
    std::string error;
    if (!fw::WriteFileAtomically(output, text, error)) return Fail(output + ": " + error);
    return 0;
}

int Session::Dump(const std::string& input, bool json) {
    fw::OpenDocument opened = Open(input);
    if (!opened.document) return 1;
    opened.document->Dump(std::cout, json);
    std::cout.flush();
    if (!std::cout) return Fail("could not write the dump to standard output");
    return 0;
}

}  // namespace regsmith::cli
