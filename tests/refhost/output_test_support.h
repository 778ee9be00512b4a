// A layout, styles and a recording hook dispatch for the output tests.
#pragma once

#include "model/document.h"
#include "model/output_style.h"
#include "output/output.h"

#include <functional>
#include <string>
#include <vector>

namespace refhost_test {

// US Letter, five pages in spreads (1), (2, 3), (4, 5); a box on every page, a text box
// "Body" on page 1 and a suppressed box "Hidden" on page 2.
std::unique_ptr<refhost::Document> makeTestDocument();

refhost::OutputStyle& addStyle(refhost::HostSettings& settings, const std::string& name,
                               uint32_t type, double bleed, bool spreads);

// Records every hook the output calls; an action per hook may act on the call.
struct HookRecorder {
    struct Entry {
        refhost::OutputHook hook;
        int page;
        int32_t phase;
    };
    std::vector<Entry> calls;
    std::function<void(refhost::OutputHookCall&)> action;
    HookRecorder();
    ~HookRecorder();
};

std::string hookName(refhost::OutputHook hook);
// The calls as text, e.g. "681 93 282 145:1 151@1 155@1".
std::string describe(const std::vector<HookRecorder::Entry>& calls);

} // namespace refhost_test
