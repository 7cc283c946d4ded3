// The script interpreter of regsmith-cli: one command a line, acting on the
// plug-in's documents, menu commands, sheets, pages and message boxes as a
// user would.

#include "cli/script.h"

#include <charconv>
#include <istream>
#include <iterator>
#include <ostream>
#include <cstdio>

#include "fw/commands.h"

namespace regsmith::cli {

namespace {

// A name or text in double quotes, on one line: line breaks show as \n.
std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            quoted += "\\n";
            continue;
        }
        if (c == '"' || c == '\\') quoted.push_back('\\');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

// Line breaks as the two characters \n, so every box is one output line.
std::string OneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r') line += "\\n";
        else line.push_back(text[i]);
    }
    return line;
}

std::string WithoutCarriageReturns(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result.push_back(text[i]);
    return result;
}

const char* const kTopLevelCommands[] = {"new", "open", "save", "format", "reset-all", "generate", "save-source", "menu"};
const char* const kModalCommands[] = {"page", "click", "select", "type", "slide", "ok", "cancel", "reset", "summary", "show"};

bool IsOneOf(const std::string& word, const char* const* first, const char* const* last) {
    for (auto it = first; it != last; ++it)
        if (word == *it) return true;
    return false;
}

bool IsTopLevel(const std::string& word) { return IsOneOf(word, std::begin(kTopLevelCommands), std::end(kTopLevelCommands)); }
bool IsModal(const std::string& word) { return IsOneOf(word, std::begin(kModalCommands), std::end(kModalCommands)); }

}  // namespace

std::vector<std::string> SplitScriptLine(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t size = line.size();
    while (i < size) {
        while (i < size && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= size || line[i] == '#') break;
        std::string word;
        bool quoted = false;
        while (i < size && (quoted || (line[i] != ' ' && line[i] != '\t' && line[i] != '\r'))) {
            const char c = line[i];
            if (c == '"') {
                quoted = !quoted;
                ++i;
            } else if (quoted && c == '\\' && i + 1 < size && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                word.push_back(line[i + 1]);
                i += 2;
            } else {
                word.push_back(c);
                ++i;
            }
        }
        if (quoted) throw ScriptError{0, "a quoted argument is not closed"};
        words.push_back(std::move(word));
    }
    return words;
}

// ---- ScriptRunner ----------------------------------------------------------

ScriptRunner::ScriptRunner(fw::CWinApp& app, std::istream& in, std::ostream& out)
    : app_(app), previousPlatform_(&app.Platform()), in_(in), out_(out) {
    app_.SetPlatform(this);
}

ScriptRunner::~ScriptRunner() {
    app_.SetActiveView(nullptr);
    app_.SetPlatform(previousPlatform_);
}

void ScriptRunner::Fail(const std::string& reason) const { throw ScriptError{line_, reason}; }

bool ScriptRunner::NextCommand(std::vector<std::string>& words) {
    std::string line;
    while (std::getline(in_, line)) {
        ++line_;
        try {
            words = SplitScriptLine(line);
        } catch (ScriptError& error) {
            error.line = line_;
            throw;
        }
        if (!words.empty()) return true;
    }
    return false;
}

void ScriptRunner::Run() {
    std::vector<std::string> words;
    while (NextCommand(words)) TopLevelCommand(words);
}

fw::CView& ScriptRunner::View() {
    if (!current_) Fail("no project is open (use new or open first)");
    return *current_->view;
}

fw::CDocument& ScriptRunner::Document() {
    if (!current_) Fail("no project is open (use new or open first)");
    return *current_->document;
}

const fw::MenuResource& ScriptRunner::Menu() {
    if (!currentTemplate_) Fail("no project is open (use new or open first)");
    return currentTemplate_->GetMenu();
}

fw::RouteResult ScriptRunner::Route(int command) { return fw::RouteCommand(&View(), &Document(), command); }

void ScriptRunner::RunMenuCommand(const std::string& item, const std::string& popup) {
    const int command = fw::FindMenuCommand(Menu(), item, popup);
    if (command == fw::ID_NONE) Fail("the menu has no item " + Quote(item));
    // The desktop greys a disabled item; a script may not pick it either.
    switch (Route(command)) {
        case fw::RouteResult::Handled: return;
        case fw::RouteResult::Disabled: Fail("the menu item " + Quote(item) + " is disabled");
        case fw::RouteResult::NotHandled: Fail("the menu item " + Quote(item) + " is not handled by the project");
    }
}

void ScriptRunner::TopLevelCommand(const std::vector<std::string>& words) {
    const std::string& command = words[0];
    auto arguments = [&](std::size_t count, const char* usage) {
        if (words.size() != count + 1) Fail(std::string("usage: ") + usage);
    };
    if (command == "new") {
        arguments(1, "new MODEL");
        const fw::CDocTemplate* docTemplate = app_.FindTemplate(words[1]);
        if (!docTemplate) Fail("unknown model " + Quote(words[1]));
        fw::OpenDocument opened = docTemplate->CreateNewDocument();
        if (!opened.document) Fail("could not create a " + words[1] + " project");
        documents_.push_back(std::move(opened));
        current_ = &documents_.back();
        currentTemplate_ = docTemplate;
        app_.SetActiveView(current_->view.get());
        current_->view->OnActivateView(true);
    } else if (command == "open") {
        arguments(1, "open PATH");
        if (app_.GetTemplates().empty()) Fail("no device plug-in is loaded");
        const fw::CDocTemplate& any = *app_.GetTemplates().front();
        fw::OpenDocument opened = any.OpenDocumentFile(words[1]);
        if (!opened.document) Fail("could not open " + Quote(words[1]));
        documents_.push_back(std::move(opened));
        current_ = &documents_.back();
        currentTemplate_ = &any;
        app_.SetActiveView(current_->view.get());
        current_->view->OnActivateView(true);
    } else if (command == "save") {
        arguments(1, "save PATH");
        pendingSavePath_ = words[1];
        saveDialogShown_ = false;
        const int before = messagesShown_;
        const fw::RouteResult routed = Route(fw::ID_FILE_SAVE_AS);
        pendingSavePath_.reset();
        if (routed != fw::RouteResult::Handled || !saveDialogShown_ || messagesShown_ != before ||
            Document().GetPathName() != words[1])
            Fail("could not save the project as " + Quote(words[1]));
    } else if (command == "format") {
        arguments(1, "format c|asm");
        if (words[1] == "c" || words[1] == "C") RunMenuCommand("C", "Options");
        else if (words[1] == "asm" || words[1] == "ASM" || words[1] == "Asm") RunMenuCommand("Asm", "Options");
        else Fail("unknown code format " + Quote(words[1]) + " (c or asm)");
    } else if (command == "reset-all") {
        arguments(0, "reset-all");
        RunMenuCommand("Reset All", "Peripherals");
    } else if (command == "generate") {
        arguments(0, "generate");
        const std::string& text = View().GetText();
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        out_.flush();
    } else if (command == "save-source") {
        arguments(1, "save-source PATH");
        pendingSavePath_ = words[1];
        saveDialogShown_ = false;
        const int before = messagesShown_;
        RunMenuCommand("Save Source As...", "File");
        pendingSavePath_.reset();
        if (!saveDialogShown_ || messagesShown_ != before) Fail("could not save the source as " + Quote(words[1]));
    } else if (command == "menu") {
        arguments(1, "menu ITEM");
        RunMenuCommand(words[1], "Peripherals");
    } else if (command == "answer") {
        Fail("no question is waiting for an answer");
    } else if (IsModal(command)) {
        Fail(Quote(command) + " needs an open sheet or dialog");
    } else {
        Fail("unknown command " + Quote(command));
    }
}

// ---- Message boxes ---------------------------------------------------------

fw::DialogResult ScriptRunner::MessageBox(const std::string& text, fw::MessageIcon, fw::MessageButtons buttons) {
    ++messagesShown_;
    out_ << "message: " << OneLine(text) << "\n";
    out_.flush();
    if (buttons == fw::MessageButtons::Ok) return fw::DialogResult::Ok;

    const char* expected = buttons == fw::MessageButtons::YesNo ? "answer yes or answer no"
                                                                 : "answer yes, answer no or answer cancel";
    std::vector<std::string> words;
    if (!NextCommand(words)) Fail("the script ended before the question " + Quote(text) + " was answered");
    if (words.size() != 2 || words[0] != "answer")
        Fail("the question " + Quote(OneLine(text)) + " is waiting: " + expected);
    if (words[1] == "yes") return fw::DialogResult::Yes;
    if (words[1] == "no") return fw::DialogResult::No;
    if (words[1] == "cancel" && buttons == fw::MessageButtons::YesNoCancel) return fw::DialogResult::Cancel;
    Fail("unknown answer " + Quote(words[1]) + ": " + expected);
}

// ---- Sheets and dialogs ----------------------------------------------------

fw::DialogResult ScriptRunner::RunModal(fw::PropertySheet& sheet) {
    modal_.push_back(sheet.Title());
    sheet.Start();
    std::vector<std::string> words;
    while (!sheet.IsEnded()) {
        if (!NextCommand(words)) Fail("the script ended inside the sheet " + Quote(sheet.Title()));
        ModalCommand(words, &sheet, nullptr);
    }
    modal_.pop_back();
    return sheet.Result();
}

fw::DialogResult ScriptRunner::RunModal(fw::Dialog& dialog) {
    modal_.push_back(dialog.Title());
    dialog.Start();
    std::vector<std::string> words;
    while (!dialog.IsEnded()) {
        if (!NextCommand(words)) Fail("the script ended inside the dialog " + Quote(dialog.Title()));
        ModalCommand(words, nullptr, &dialog);
    }
    modal_.pop_back();
    return dialog.Result();
}

void ScriptRunner::ModalCommand(const std::vector<std::string>& words, fw::PropertySheet* sheet, fw::Dialog* dialog) {
    const std::string& command = words[0];
    const std::string where = sheet ? "the sheet " + Quote(sheet->Title()) : "the dialog " + Quote(dialog->Title());
    auto arguments = [&](std::size_t minimum, std::size_t maximum, const char* usage) {
        if (words.size() < minimum + 1 || words.size() > maximum + 1) Fail(std::string("usage: ") + usage);
    };
    fw::Form* form = sheet ? static_cast<fw::Form*>(sheet->ActivePage()) : dialog;
    if (!form) Fail(where + " has no page");

    if (command == "page") {
        arguments(1, 1, "page TITLE");
        if (!sheet) Fail("a dialog has no pages");
        const int index = sheet->FindPage(words[1]);
        if (index < 0) Fail(where + " has no page " + Quote(words[1]));
        sheet->SetActivePage(index);  // a page may refuse to be left: it says why in a message
    } else if (command == "click") {
        arguments(1, 1, "click CONTROL");
        Click(*form, words[1], sheet, dialog);
    } else if (command == "select") {
        arguments(2, 2, "select CONTROL ITEM");
        fw::Control& control = FindControl(*form, words[1]);
        auto* list = dynamic_cast<fw::DropDownList*>(&control);
        if (!list) Fail(Quote(words[1]) + " is not a list");
        const int index = list->IndexOf(words[2]);
        if (index < 0) Fail("the list " + Quote(words[1]) + " has no item " + Quote(words[2]));
        list->Select(index);
    } else if (command == "type") {
        arguments(2, 2, "type CONTROL TEXT");
        fw::Control& control = FindControl(*form, words[1]);
        auto* field = dynamic_cast<fw::EditField*>(&control);
        if (!field) Fail(Quote(words[1]) + " is not an edit field");
        if (field->IsReadOnly()) Fail("the field " + Quote(words[1]) + " is read-only");
        field->Type(words[2]);
    } else if (command == "slide") {
        arguments(2, 2, "slide CONTROL N");
        fw::Control& control = FindControl(*form, words[1]);
        auto* slider = dynamic_cast<fw::Slider*>(&control);
        if (!slider) Fail(Quote(words[1]) + " is not a slider");
        int value = 0;
        const std::string& text = words[2];
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) Fail(Quote(text) + " is not a whole number");
        if (value < slider->Minimum() || value > slider->Maximum())
            Fail("the slider " + Quote(words[1]) + " goes from " + std::to_string(slider->Minimum()) + " to " +
                 std::to_string(slider->Maximum()));
        slider->Slide(value);
    } else if (command == "ok") {
        arguments(0, 0, "ok");
        if (sheet) sheet->PressOK();
        else dialog->PressOK();
    } else if (command == "cancel") {
        arguments(0, 0, "cancel");
        if (sheet) sheet->PressCancel();
        else dialog->PressCancel();
    } else if (command == "reset") {
        arguments(0, 0, "reset");
        if (!sheet) Fail("a dialog has no Reset button");
        Click(*form, "Reset", sheet, dialog);
    } else if (command == "summary") {
        arguments(0, 0, "summary");
        Summary(*form);
    } else if (command == "show") {
        arguments(0, 1, "show [CONTROL]");
        Show(*form, words.size() == 2 ? &words[1] : nullptr, sheet ? "page" : "dialog");
    } else if (command == "answer") {
        Fail("no question is waiting for an answer");
    } else if (IsTopLevel(command)) {
        Fail(Quote(command) + " cannot be used while " + where + " is open (ok or cancel it first)");
    } else {
        Fail("unknown command " + Quote(command));
    }
}

fw::Control& ScriptRunner::FindControl(const fw::Form& form, const std::string& name) {
    std::string error;
    fw::Control* control = form.Find(name, &error);
    if (!control) Fail(error + " on " + Quote(form.Title()));
    if (!control->IsEffectivelyVisible()) Fail("the control " + Quote(name) + " is hidden");
    if (!control->IsEffectivelyEnabled()) Fail("the control " + Quote(name) + " is disabled");
    return *control;
}

void ScriptRunner::Click(fw::Form& form, const std::string& name, fw::PropertySheet* sheet, fw::Dialog* dialog) {
    // The sheet's and dialog's own buttons, unless a page control has that name.
    if (!form.Find(name)) {
        if (sheet) {
            const auto& buttons = sheet->ExtraButtons();
            for (std::size_t i = 0; i < buttons.size(); ++i)
                if (buttons[i].caption == name) {
                    sheet->PressButton(static_cast<int>(i));
                    return;
                }
            if (name == "OK") return sheet->PressOK();
            if (name == "Cancel") return sheet->PressCancel();
        }
        if (dialog) {
            if (name == dialog->okCaption) return dialog->PressOK();
            if (dialog->hasCancel && name == dialog->cancelCaption) return dialog->PressCancel();
        }
    }
    fw::Control& control = FindControl(form, name);  // visible and enabled
    if (!control.Click())
        Fail(Quote(name) + " is a " + fw::ControlKindName(control.Kind()) + ", not something to click");
}

namespace {

// The name under which `show` lists a control: the one Find resolves to it.
std::string ShownName(const fw::Form& form, const fw::Control& control) {
    const std::string name = control.ScriptName();
    if (form.Find(name) == &control) return name;
    if (const fw::Control* group = control.EnclosingGroup()) {
        const std::string qualified = group->Caption() + "/" + name;
        if (form.Find(qualified) == &control) return qualified;
    }
    return name;
}

std::string HexColour(fw::Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red, colour.green, colour.blue);
    return text;
}

std::string Describe(const fw::Form& form, const fw::Control& control) {
    const std::string name = Quote(ShownName(form, control));
    std::string line;
    switch (control.Kind()) {
        case fw::ControlKind::Container: return {};
        case fw::ControlKind::GroupBox: line = "group " + name; break;
        case fw::ControlKind::CheckBox:
            line = std::string("check ") + (static_cast<const fw::CheckBox&>(control).IsChecked() ? "[x] " : "[ ] ") + name;
            break;
        case fw::ControlKind::RadioButton:
            line = std::string("radio ") + (static_cast<const fw::RadioButton&>(control).IsChecked() ? "(*) " : "( ) ") +
                   name;
            break;
        case fw::ControlKind::DropDownList: {
            const auto& list = static_cast<const fw::DropDownList&>(control);
            line = "list " + name + " = " + (list.Selected() < 0 ? std::string("(none)") : Quote(list.SelectedText()));
            break;
        }
        case fw::ControlKind::EditField:
            line = "edit " + name + " = " + Quote(static_cast<const fw::EditField&>(control).Text());
            break;
        case fw::ControlKind::Slider: {
            const auto& slider = static_cast<const fw::Slider&>(control);
            line = "slider " + name + " = " + std::to_string(slider.Value()) + " (" + std::to_string(slider.Minimum()) +
                   ".." + std::to_string(slider.Maximum()) + ")";
            break;
        }
        case fw::ControlKind::PushButton: line = "button " + name; break;
        case fw::ControlKind::ToggleButton:
            line = std::string("toggle ") + (static_cast<const fw::ToggleButton&>(control).IsPressed() ? "[x] " : "[ ] ") +
                   name;
            break;
        case fw::ControlKind::ThreeStateButton:
            line = "three-state [" + std::to_string(static_cast<const fw::ThreeStateButton&>(control).State()) + "] " +
                   name;
            break;
        case fw::ControlKind::StaticText:
            line = control.Name().empty() ? "text " + Quote(control.Caption())
                                          : "text " + name + " = " + Quote(control.Caption());
            break;
        case fw::ControlKind::ColourSwatch:
            line = "swatch " + name + " = " + HexColour(static_cast<const fw::ColourSwatch&>(control).colour);
            break;
        case fw::ControlKind::TextBox: {
            line = "textbox " + name;
            std::string text = WithoutCarriageReturns(static_cast<const fw::TextBox&>(control).Text());
            std::size_t start = 0;
            while (start < text.size()) {
                std::size_t end = text.find('\n', start);
                if (end == std::string::npos) end = text.size();
                line += "\n  | " + text.substr(start, end - start);
                start = end + 1;
            }
            break;
        }
        case fw::ControlKind::Grid: {
            const auto& grid = static_cast<const fw::Grid&>(control);
            line = "grid " + name + " (" + std::to_string(grid.Rows()) + " rows, " + std::to_string(grid.Columns()) +
                   " columns)";
            for (int row = 0; row < grid.Rows(); ++row) {
                int last = -1;
                for (int column = 0; column < grid.Columns(); ++column)
                    if (!grid.Text(row, column).empty()) last = column;
                if (last < 0) continue;
                line += "\n  row " + std::to_string(row) + ":";
                for (int column = 0; column <= last; ++column) line += (column ? " | " : " ") + grid.Text(row, column);
            }
            break;
        }
    }
    if (control.Kind() != fw::ControlKind::GroupBox && !control.IsEffectivelyEnabled()) {
        // The disabled mark belongs on the control's own line.
        const std::size_t firstBreak = line.find('\n');
        line.insert(firstBreak == std::string::npos ? line.size() : firstBreak, " disabled");
    }
    return line;
}

}  // namespace

void ScriptRunner::Show(const fw::Form& form, const std::string* name, const char* kind) {
    if (name) {
        std::string error;
        const fw::Control* control = form.Find(*name, &error);
        if (!control) Fail(error + " on " + Quote(form.Title()));
        std::string line = Describe(form, *control);
        if (!control->IsEffectivelyVisible()) line += " hidden";
        out_ << line << "\n";
        out_.flush();
        return;
    }
    out_ << kind << " " << Quote(form.Title()) << "\n";
    for (const fw::Control* control : form.AllControls()) {
        if (!control->IsEffectivelyVisible()) continue;
        const std::string line = Describe(form, *control);
        if (!line.empty()) out_ << line << "\n";
    }
    std::string extra = form.DescribeForScript();
    if (!extra.empty()) {
        extra = WithoutCarriageReturns(extra);
        out_ << extra;
        if (extra.back() != '\n') out_ << "\n";
    }
    out_.flush();
}

void ScriptRunner::Summary(const fw::Form& form) {
    const fw::TextBox* summary = nullptr;
    for (const fw::Control* control : form.AllControls())
        if (auto* box = dynamic_cast<const fw::TextBox*>(control)) {
            if (control->Name() == "Register Summary") {
                summary = box;
                break;
            }
            if (!summary) summary = box;
        }
    if (!summary) Fail(Quote(form.Title()) + " has no register summary box");
    out_ << WithoutCarriageReturns(summary->Text());
    out_.flush();
}

// ---- Files and devices -----------------------------------------------------

std::optional<std::string> ScriptRunner::SaveFileDialog(const fw::SaveFileRequest&) {
    saveDialogShown_ = true;
    // Only save and save-source answer a save dialog; any other is cancelled.
    std::optional<std::string> path = pendingSavePath_;
    pendingSavePath_.reset();
    return path;
}

fw::PrintResult ScriptRunner::Print(const fw::PrintRequest&) { return fw::PrintResult::Cancelled; }

bool ScriptRunner::OpenWithDefaultApplication(const std::string&) { return false; }

}  // namespace regsmith::cli
