#include "output_test_support.h"

namespace refhost_test {

using namespace refhost;

std::unique_ptr<Document> makeTestDocument() {
    auto doc = newDocument();
    Layout& l = addLayout(*doc, "Layout 1");
    l.pageCount = 5;
    l.spreads = {{1}, {2, 3}, {4, 5}};
    applyLayoutDefaults(l);
    for (int p = 1; p <= 5; ++p) {
        auto box = std::make_unique<Item>();
        box->name = "Box " + std::to_string(p);
        box->page = p;
        box->bounds = {72, 72, 144, 288};
        addItem(*doc, l, std::move(box));
    }
    auto text = std::make_unique<Item>();
    text->name = "Body";
    text->type = ItemType::Text;
    text->page = 1;
    text->bounds = {200, 72, 260, 400};
    text->text = u"Quarterly catalogue";
    text->fontSize = 12;
    addItem(*doc, l, std::move(text));
    auto hidden = std::make_unique<Item>();
    hidden->name = "Hidden";
    hidden->page = 2;
    hidden->bounds = {300, 72, 400, 172};
    hidden->suppressOutput = true;
    addItem(*doc, l, std::move(hidden));
    return doc;
}

OutputStyle& addStyle(HostSettings& settings, const std::string& name, uint32_t type, double bleed,
                      bool spreads) {
    auto s = std::make_unique<OutputStyle>();
    s->name = name;
    s->type = type;
    if (bleed != 0)
        setValue(*s, kOwnerBleed, {"BleedSettings", "Symmetric"}, std::to_string(bleed));
    if (type == kTypeEps)
        setValue(*s, kOwnerEpsExport, {"EPS", "General", "Spread"}, spreads ? "1" : "0");
    if (type == kTypePdf)
        setValue(*s, kOwnerPdfExport, {"PageOptions", "Spreads"}, spreads ? "1" : "0");
    settings.styles.push_back(std::move(s));
    return *settings.styles.back();
}

namespace {
void record(void* owner, OutputHookCall& call) {
    auto* r = static_cast<HookRecorder*>(owner);
    r->calls.push_back({call.hook, call.page, call.phase});
    if (r->action) r->action(call);
}
} // namespace

HookRecorder::HookRecorder() {
    setOutputHookDispatch(record, this);
}
HookRecorder::~HookRecorder() {
    setOutputHookDispatch(nullptr, nullptr);
}

std::string hookName(OutputHook hook) {
    return std::to_string(static_cast<int>(hook));
}

std::string describe(const std::vector<HookRecorder::Entry>& calls) {
    std::string out;
    for (const auto& c : calls) {
        if (!out.empty()) out += " ";
        out += hookName(c.hook);
        if (c.hook == OutputHook::Header) out += ":" + std::to_string(c.phase);
        if (c.hook == OutputHook::PageBoxes || c.hook == OutputHook::PageMarks)
            out += "@" + std::to_string(c.page);
    }
    return out;
}

} // namespace refhost_test
