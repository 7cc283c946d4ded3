// regsmith-cli: headless use of the device plug-ins (list models, create a
// project, generate its source, dump it, run a script).

#include <CLI/CLI.hpp>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"Regsmith command-line tool: create projects and generate their initialisation source"};
    app.require_subcommand(1);
    std::string pluginFolder;
    app.add_option("--plugins", pluginFolder, "Folder holding the device plug-ins");

    auto* models = app.add_subcommand("models", "List the device models with their device ids");

    std::string model, newOutput;
    auto* create = app.add_subcommand("new", "Write a new project of a model");
    create->add_option("MODEL", model, "Model name, such as QK750")->required();
    create->add_option("-o,--output", newOutput, "Project file to write (.rsg)")->required();

    std::string generateInput, generateOutput, format;
    auto* generate = app.add_subcommand("generate", "Print the generated initialisation source of a project");
    generate->add_option("FILE", generateInput, "Project file (.rsg)")->required();
    generate->add_option("--format", format, "c or asm (default: the project's own)")
        ->check(CLI::IsMember({"c", "asm"}, CLI::ignore_case));
    generate->add_option("-o,--output", generateOutput, "Write to this file instead of standard output");

    std::string dumpInput;
    bool json = false;
    auto* dump = app.add_subcommand("dump", "Print everything a project holds");
    dump->add_option("FILE", dumpInput, "Project file (.rsg)")->required();
    dump->add_flag("--json", json, "JSON instead of text");

    std::string scriptInput;
    auto* script = app.add_subcommand("script", "Drive the sheets and pages from a script (standard input without FILE or with -)");
    script->add_option("FILE", scriptInput, "Script file");

    CLI11_PARSE(app, argc, argv);

    regsmith::cli::Session session(pluginFolder);
    if (!session.Ready()) return 2;
    if (*models) return session.ListModels(std::cout);
    if (*create) return session.NewProject(model, newOutput);
    if (*generate) return session.Generate(generateInput, format, generateOutput);
    if (*dump) return session.Dump(dumpInput, json);
    if (*script) return session.RunScript(scriptInput);
    return 1;
}
