// The script interpreter of regsmith-cli: one command a line, acting on the
// plug-in's documents, menu commands, sheets, pages and message boxes as a
// user would.

#include "cli/script.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>
#include <streambuf>

#include "cli/output.h"
#include "fw/commands.h"
#include "fw/overview.h"

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

const char* const kTopLevelCommands[] = {"new",         "open", "save",     "format", "reset-all", "generate",
                                         "save-source", "menu", "problems", "pins",   "clocks"};
const char* const kModalCommands[] = {"page", "click", "select", "type", "slide", "ok", "cancel", "reset", "summary", "show"};

bool IsOneOf(const std::string& word, const char* const* first, const char* const* last) {
    for (auto it = first; it != last; ++it)
        if (word == *it) return true;
    return false;
}

bool IsTopLevel(const std::string& word) { return IsOneOf(word, std::begin(kTopLevelCommands), std::end(kTopLevelCommands)); }
bool IsModal(const std::string& word) { return IsOneOf(word, std::begin(kModalCommands), std::end(kModalCommands)); }

// A name as a user may type it: case ignored, runs of blanks as one blank,
// no blanks at either end.
std::string Normalised(const std::string& name) {
    std::string result;
    bool blank = false;
    for (char c : name) {
        if (c == ' ' || c == '\t') {
            blank = !result.empty();
            continue;
        }
        if (blank) result.push_back(' ');
        blank = false;
        result.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return result;
}

// A unique beginning of a name longer than kLongName characters, at least
// kShortestPrefix long, names it.
constexpr std::size_t kLongName = 16;
constexpr std::size_t kShortestPrefix = 6;

// Edits (insert, delete, replace a character) turning one name into the other.
std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Up to three of `names` closest to `wanted`, quoted, as " (closest: ...)",
// or "" when none is close.
std::string Closest(const std::string& wanted, const std::vector<std::string>& names) {
    const std::string target = Normalised(wanted);
    if (target.size() > 256) return {};
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const std::string& name : names) {
        const std::string candidate = Normalised(name);
        if (candidate.size() > 256) continue;
        std::size_t distance = EditDistance(target, candidate);
        if (candidate.find(target) != std::string::npos || target.find(candidate) != std::string::npos)
            distance = std::min<std::size_t>(distance, 1);
        if (distance <= std::max<std::size_t>(2, target.size() / 3)) scored.emplace_back(distance, name);
    }
    std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string list;
    std::vector<std::string> listed;
    for (const auto& [distance, name] : scored) {
        // Only the names about as close as the closest one.
        if (listed.size() == 3 || distance > scored.front().first + 2) break;
        if (std::find(listed.begin(), listed.end(), name) != listed.end()) continue;
        listed.push_back(name);
        list += (list.empty() ? "" : ", ") + Quote(name);
    }
    return list.empty() ? std::string() : " (closest: " + list + ")";
}

// Every name of `names`, quoted, as " (NOUN: ...)".
std::string AllOf(const char* noun, const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + Quote(name);
    return std::string(" (") + noun + ": " + list + ")";
}

// The one element of `names` that `wanted` names with case and blanks
// ignored, or -1.
int FindNormalised(const std::vector<std::string>& names, const std::string& wanted) {
    const std::string target = Normalised(wanted);
    int found = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Normalised(names[i]) != target) continue;
        if (found >= 0) return -1;
        found = static_cast<int>(i);
    }
    return found;
}

// The items of a menu popup, as a script names them.
void MenuItems(const std::vector<fw::MenuItem>& items, std::vector<std::string>& names) {
    for (const fw::MenuItem& item : items) {
        if (!item.submenu.empty()) MenuItems(item.submenu, names);
        else if (!item.separator) names.push_back(fw::StripAccelerator(item.text));
    }
}

// One control out of several that a name matches: the only one, the only
// visible one, or the first usable of buttons that do the same thing.
fw::Control* PickOne(const std::vector<fw::Control*>& matches) {
    if (matches.size() == 1) return matches.front();
    std::vector<fw::Control*> visible;
    for (fw::Control* control : matches)
        if (control->IsEffectivelyVisible()) visible.push_back(control);
    if (visible.size() == 1) return visible.front();
    if (visible.empty()) return nullptr;
    const auto* first = dynamic_cast<const fw::PushButton*>(visible.front());
    if (!first || first->action.empty()) return nullptr;
    for (fw::Control* control : visible) {
        const auto* button = dynamic_cast<const fw::PushButton*>(control);
        if (!button || button->action != first->action || Normalised(button->ScriptName()) != Normalised(first->ScriptName()))
            return nullptr;
    }
    for (fw::Control* control : visible)
        if (control->IsEffectivelyEnabled()) return control;
    return visible.front();
}

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


bool ScriptRunner::ReadLine(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (!buffer) return false;
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) return false;
    ++line_;
    // Read byte by byte, so neither a huge line nor a device without end
    // (/dev/zero) is ever held whole.
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = buffer->sbumpc()) {
        if (++bytesRead_ > kMaxScriptBytes)
            Fail("the script is larger than " + std::to_string(kMaxScriptBytes / (1024 * 1024)) + " MiB");
        if (c == '\0') Fail("a NUL byte: the script is not a text file");
        if (line.size() >= kMaxScriptLineBytes)
            Fail("the line is longer than " + std::to_string(kMaxScriptLineBytes / 1024) + " KiB");
        line.push_back(static_cast<char>(c));
    }
    if (c == '\n') ++bytesRead_;
    // A byte-order mark that some editors put at the start of a UTF-8 file.
    if (line_ == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    return true;
}

bool ScriptRunner::NextCommand(std::vector<std::string>& words) {
    std::string line;
    while (ReadLine(line)) {
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

void ScriptRunner::Flush() {
    errno = 0;
    out_.flush();
    if (out_) return;
    Fail(StandardOutputFailure(errno));
}

fw::OpenDocument ScriptRunner::OpenProject(const fw::CDocTemplate& any, const std::string& path) {
    return any.OpenDocumentFile(path);
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
    int command = fw::FindMenuCommand(Menu(), item, popup);
    if (command == fw::ID_NONE) {
        std::vector<std::string> items;
        for (const fw::MenuItem& top : Menu())
            if (fw::StripAccelerator(top.text) == popup) MenuItems(top.submenu, items);
        const int index = FindNormalised(items, item);
        if (index >= 0) command = fw::FindMenuCommand(Menu(), items[static_cast<std::size_t>(index)], popup);
        if (command == fw::ID_NONE) {
            const std::string closest = Closest(item, items);
            Fail("the menu has no item " + Quote(item) + (closest.empty() ? AllOf(popup.c_str(), items) : closest));
        }
    }
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
        fw::OpenDocument opened = OpenProject(any, words[1]);
        if (!opened.document) Fail("could not open " + Quote(words[1]));
        documents_.push_back(std::move(opened));
        current_ = &documents_.back();
        currentTemplate_ = &any;
        app_.SetActiveView(current_->view.get());
        current_->view->OnActivateView(true);
    } else if (command == "save") {
        arguments(1, "save PATH");
        pendingSavePath_ = words[1];
        saveDialogShown_ = saveDeclined_ = false;
        const int before = messagesShown_;
        const fw::RouteResult routed = Route(fw::ID_FILE_SAVE_AS);
        pendingSavePath_.reset();
        if (saveDeclined_) return;  // "answer no" to replacing the file: nothing is saved
        if (routed != fw::RouteResult::Handled || !saveDialogShown_ || messagesShown_ != before ||
            Document().GetPathName() != words[1])
            Fail("could not save the project as " + Quote(words[1]) + SaveFailureCause(words[1], before));
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
        Flush();
    } else if (command == "save-source") {
        arguments(1, "save-source PATH");
        pendingSavePath_ = words[1];
        saveDialogShown_ = saveDeclined_ = false;
        const int before = messagesShown_;
        RunMenuCommand("Save Source As...", "File");
        pendingSavePath_.reset();
        if (saveDeclined_) return;
        if (!saveDialogShown_ || messagesShown_ != before)
            Fail("could not save the source as " + Quote(words[1]) + SaveFailureCause(words[1], before));
    } else if (command == "problems" || command == "pins" || command == "clocks") {
        arguments(0, command.c_str());
        fw::ChipOverview overview;
        if (!Document().GetOverview(overview)) Fail("the project gives no overview");
        std::string text;
        if (command == "pins") {
            text = fw::PinTableText(overview.pins);
        } else if (command == "clocks") {
            text = fw::ClockTreeText(overview.clocks);
        } else {
            for (const fw::Problem& problem : overview.problems) text += fw::ProblemLine({}, problem) + "\n";
            text += fw::CountsText(fw::CountProblems(overview.problems)) + "\n";
        }
        out_ << text;
        Flush();
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

std::string ScriptRunner::SaveFailureCause(const std::string& path, int messagesBefore) const {
    // The save's message names the file as "PATH: cause" after the words the
    // user knows ("Error: Could Not Open File For Save.").
    if (messagesShown_ == messagesBefore) return {};
    const std::size_t at = lastMessage_.rfind(path + ": ");
    if (at == std::string::npos) return {};
    return ": " + OneLine(lastMessage_.substr(at + path.size() + 2));
}

fw::DialogResult ScriptRunner::MessageBox(const std::string& text, fw::MessageIcon, fw::MessageButtons buttons) {
    ++messagesShown_;
    lastMessage_ = text;
    out_ << "message: " << OneLine(text) << "\n";
    Flush();
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
        int index = sheet->FindPage(words[1]);
        if (index < 0) {
            std::vector<std::string> titles;
            for (int i = 0; i < sheet->PageCount(); ++i) titles.push_back(sheet->Page(i).Title());
            index = FindNormalised(titles, words[1]);
            if (index < 0) Fail(where + " has no page " + Quote(words[1]) + AllOf("pages", titles));
        }
        sheet->SetActivePage(index);  // a page may refuse to be left: it says why in a message
    } else if (command == "click") {
        arguments(1, 1, "click CONTROL");
        Click(*form, words[1], sheet, dialog);
    } else if (command == "select") {
        arguments(2, 2, "select CONTROL ITEM");
        fw::Control& control = FindControl(*form, words[1]);
        auto* list = dynamic_cast<fw::DropDownList*>(&control);
        if (!list) Fail(Quote(words[1]) + " is not a list");
        int index = list->IndexOf(words[2]);
        if (index < 0) index = FindNormalised(list->Items(), words[2]);
        if (index < 0) {
            // A short list is shown whole; of a long one the closest items.
            Fail("the list " + Quote(words[1]) + " has no item " + Quote(words[2]) +
                 (list->Items().size() <= 24 ? AllOf("items", list->Items()) : Closest(words[2], list->Items())));
        }
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

fw::Control* ScriptRunner::Resolve(const fw::Form& form, const std::string& name, std::string& error) const {
    if (fw::Control* control = form.Find(name, &error)) return control;
    const std::vector<fw::Control*> all = form.AllControls();
    const std::string wanted = Normalised(name);
    // The name with case and blanks ignored, alone or as "group/control".
    std::vector<fw::Control*> matches;
    for (fw::Control* control : all) {
        const std::string own = control->ScriptName();
        if (own.empty()) continue;
        const fw::Control* group = control->EnclosingGroup();
        if (Normalised(own) == wanted || (group && Normalised(group->Caption() + "/" + own) == wanted))
            matches.push_back(control);
    }
    // A list named by its group's caption shares the name with the group: the list is meant.
    const auto isGroup = [](const fw::Control* control) { return control->Kind() == fw::ControlKind::GroupBox; };
    if (matches.size() > 1 && !std::all_of(matches.begin(), matches.end(), isGroup)) std::erase_if(matches, isGroup);
    if (fw::Control* found = PickOne(matches)) return found;
    if (matches.empty() && wanted.size() >= kShortestPrefix) {
        // A unique beginning of a long caption.
        for (fw::Control* control : all) {
            const std::string own = Normalised(control->ScriptName());
            if (own.size() > kLongName && own.size() > wanted.size() && own.compare(0, wanted.size(), wanted) == 0)
                matches.push_back(control);
        }
        if (matches.size() > 1 && !std::all_of(matches.begin(), matches.end(), isGroup)) std::erase_if(matches, isGroup);
        if (fw::Control* found = PickOne(matches)) return found;
    }
    std::vector<std::string> names;
    for (const fw::Control* control : matches.empty() ? all : matches)
        if (control->IsEffectivelyVisible() && !control->ScriptName().empty() &&
            control->Kind() != fw::ControlKind::Container)
            names.push_back(control->ScriptName());
    if (matches.size() > 1) {
        std::vector<std::string> qualified;
        for (const fw::Control* control : matches) {
            const fw::Control* group = control->EnclosingGroup();
            qualified.push_back(group ? group->Caption() + "/" + control->ScriptName() : control->ScriptName());
        }
        error = "several controls are named " + Quote(name) + AllOf("name one as", qualified);
    } else {
        error = "no control " + Quote(name) + " on " + Quote(form.Title()) + Closest(name, names);
    }
    return nullptr;
}

fw::Control& ScriptRunner::FindControl(const fw::Form& form, const std::string& name) {
    std::string error;
    fw::Control* control = Resolve(form, name, error);
    if (!control) Fail(error);
    if (!control->IsEffectivelyVisible()) Fail("the control " + Quote(name) + " is hidden");
    if (!control->IsEffectivelyEnabled()) Fail("the control " + Quote(name) + " is disabled");
    return *control;
}

void ScriptRunner::Click(fw::Form& form, const std::string& name, fw::PropertySheet* sheet, fw::Dialog* dialog) {
    // The sheet's and dialog's own buttons, unless a page control has that name.
    std::string ignored;
    if (!Resolve(form, name, ignored)) {
        const std::string wanted = Normalised(name);
        if (sheet) {
            const auto& buttons = sheet->ExtraButtons();
            for (std::size_t i = 0; i < buttons.size(); ++i)
                if (Normalised(buttons[i].caption) == wanted) {
                    sheet->PressButton(static_cast<int>(i));
                    return;
                }
            if (wanted == "ok") return sheet->PressOK();
            if (wanted == "cancel") return sheet->PressCancel();
        }
        if (dialog) {
            if (wanted == Normalised(dialog->okCaption)) return dialog->PressOK();
            if (dialog->hasCancel && wanted == Normalised(dialog->cancelCaption)) return dialog->PressCancel();
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
        case fw::ControlKind::ToggleButton: {
            // In the page's own words where the caption is only a letter.
            const auto& toggle = static_cast<const fw::ToggleButton&>(control);
            const std::string& words = toggle.IsPressed() ? toggle.pressedWords : toggle.releasedWords;
            line = words.empty() ? std::string("toggle ") + (toggle.IsPressed() ? "[x] " : "[ ] ") + name
                                 : "toggle " + name + " = " + Quote(words);
            break;
        }
        case fw::ControlKind::ThreeStateButton: {
            // A named button shows its state as its caption ("0", "1", "X").
            const auto& button = static_cast<const fw::ThreeStateButton&>(control);
            const bool captionShowsState = !control.Name().empty() && !control.Caption().empty();
            line = "three-state " + name + " = " +
                   Quote(captionShowsState ? control.Caption() : std::to_string(button.State()));
            break;
        }
        case fw::ControlKind::StaticText:
            line = control.Name().empty() ? "text " + Quote(control.Caption())
                                          : "text " + name + " = " + Quote(control.Caption());
            break;
        case fw::ControlKind::ColourSwatch:
            line = "swatch " + name + " = " + HexColour(static_cast<const fw::ColourSwatch&>(control).colour);
            break;
        case fw::ControlKind::TextBox: {
            line = "textbox " + name;
            std::string text = WithLineFeedsOnly(static_cast<const fw::TextBox&>(control).Text());
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
        const fw::Control* control = Resolve(form, *name, error);
        if (!control) Fail(error);
        std::string line = Describe(form, *control);
        if (!control->IsEffectivelyVisible()) line += " hidden";
        out_ << line << "\n";
        Flush();
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
        extra = WithLineFeedsOnly(extra);
        out_ << extra;
        if (extra.back() != '\n') out_ << "\n";
    }
    Flush();
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
    out_ << WithLineFeedsOnly(summary->Text());
    Flush();
}

// ---- Files and devices -----------------------------------------------------

std::optional<std::string> ScriptRunner::SaveFileDialog(const fw::SaveFileRequest& request) {
    saveDialogShown_ = true;
    // Only save and save-source answer a save dialog; any other is cancelled.
    std::optional<std::string> path = pendingSavePath_;
    pendingSavePath_.reset();
    struct stat info;
    if (path && request.promptBeforeOverwrite && ::stat(path->c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        // The question the desktop's save dialog asks before replacing a file.
        const std::string name = std::filesystem::path(*path).filename().string();
        if (MessageBox(name + " already exists.\nDo you want to replace it?", fw::MessageIcon::Warning,
                       fw::MessageButtons::YesNo) != fw::DialogResult::Yes) {
            saveDeclined_ = true;
            return std::nullopt;
        }
        --messagesShown_;  // the question is part of the dialog, not a report of failure
    }
    return path;
}

fw::PrintResult ScriptRunner::Print(const fw::PrintRequest&) { return fw::PrintResult::Cancelled; }

bool ScriptRunner::OpenWithDefaultApplication(const std::string&) { return false; }

}  // namespace regsmith::cli
