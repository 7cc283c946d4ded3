// Command routing: the view is asked first, then its document; a disabled
// command runs nowhere.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fw/commands.h"
#include "fw/document.h"
#include "fw/view.h"

namespace fw {
namespace {

// Reports a state for `id` when `state` is set, and handles `id` when
// `handles`; records what it ran.
struct Knows {
    std::optional<CommandState> state;
    bool handles = false;
};

class StubView : public CView {
public:
    Knows knows;
    std::string ran;
    bool OnCommand(int) override {
        if (knows.handles) ran += "view";
        return knows.handles;
    }
    bool OnUpdateCommand(int, CommandState& state) const override {
        if (knows.state) state = *knows.state;
        return knows.state.has_value();
    }
};

class StubDocument : public CDocument {
public:
    Knows knows;
    std::string ran;
    bool OnCommand(int) override {
        if (knows.handles) ran += "document";
        return knows.handles;
    }
    bool OnUpdateCommand(int, CommandState& state) const override {
        if (knows.state) state = *knows.state;
        return knows.state.has_value();
    }
};

constexpr CommandState kOn{true, false}, kOnChecked{true, true}, kOff{false, false};

TEST(CommandRouting, ViewFirstThenDocument) {
    struct Case {
        const char* what;
        Knows view, document;
        CommandState state;
        RouteResult result;
        const char* ran;  // who ran it
    };
    const Case cases[] = {
        {"the view reports and handles", {kOnChecked, true}, {kOff, true}, kOnChecked, RouteResult::Handled, "view"},
        {"the view disables; the document is not asked", {kOff, true}, {kOn, true}, kOff, RouteResult::Disabled, ""},
        {"the document reports and handles", {{}, false}, {kOnChecked, true}, kOnChecked, RouteResult::Handled,
         "document"},
        {"the document disables", {{}, true}, {kOff, true}, kOff, RouteResult::Disabled, ""},
        {"the view reports, the document handles", {kOn, false}, {{}, true}, kOn, RouteResult::Handled, "document"},
        {"nobody reports: enabled, and the view runs it", {{}, true}, {{}, true}, kOn, RouteResult::Handled, "view"},
        {"nobody knows it", {{}, false}, {{}, false}, kOn, RouteResult::NotHandled, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        StubView view;
        StubDocument document;
        view.knows = test.view;
        document.knows = test.document;
        const CommandState state = QueryCommand(&view, &document, 0x8001);
        EXPECT_EQ(state.enabled, test.state.enabled);
        EXPECT_EQ(state.checked, test.state.checked);
        EXPECT_EQ(RouteCommand(&view, &document, 0x8001), test.result);
        EXPECT_EQ(view.ran + document.ran, test.ran);
    }
}

TEST(CommandRouting, WithoutAWindowEverythingIsDisabled) {
    EXPECT_FALSE(QueryCommand(nullptr, nullptr, ID_FILE_SAVE).enabled);
    EXPECT_EQ(RouteCommand(nullptr, nullptr, ID_FILE_SAVE), RouteResult::Disabled);
    // A document without a view still answers for itself.
    StubDocument document;
    document.knows = {kOn, true};
    EXPECT_EQ(RouteCommand(nullptr, &document, ID_FILE_SAVE), RouteResult::Handled);
}

}  // namespace
}  // namespace fw
