#include "model/output_style.h"

#include <cstdlib>

namespace refhost {

void resetSettings(HostSettings& settings) {
    std::string path = settings.path;
    settings = HostSettings{};
    settings.path = path;
    auto eps = std::make_unique<OutputStyle>();
    eps->name = "Default EPS";
    eps->type = kTypeEps;
    eps->isDefault = true;
    auto pdf = std::make_unique<OutputStyle>();
    pdf->name = "Default PDF";
    pdf->type = kTypePdf;
    pdf->isDefault = true;
    settings.styles.push_back(std::move(eps));
    settings.styles.push_back(std::move(pdf));
}

OutputStyle* findStyle(HostSettings& settings, const std::string& name) {
    for (auto& s : settings.styles)
        if (s->name == name) return s.get();
    return nullptr;
}

OutputStyle* defaultStyle(HostSettings& settings, uint32_t type) {
    OutputStyle* first = nullptr;
    for (auto& s : settings.styles) {
        if (s->type != type) continue;
        if (s->isDefault) return s.get();
        if (!first) first = s.get();
    }
    return first;
}

void setDefaultStyle(HostSettings& settings, OutputStyle& style) {
    for (auto& s : settings.styles)
        if (s->type == style.type) s->isDefault = s.get() == &style;
    settings.changed = true;
}

DataDict* findContainer(OutputStyle& style, uint32_t owner) {
    auto it = style.data.find(owner);
    return it == style.data.end() ? nullptr : &it->second;
}

DataDict& containerOf(OutputStyle& style, uint32_t owner) {
    return style.data[owner];
}

const std::string* findValue(const OutputStyle& style, uint32_t owner,
                             const std::vector<std::string>& path) {
    auto c = style.data.find(owner);
    if (c == style.data.end() || path.empty()) return nullptr;
    const DataDict* d = &c->second;
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        auto it = d->dicts.find(path[i]);
        if (it == d->dicts.end()) return nullptr;
        d = &it->second;
    }
    auto v = d->values.find(path.back());
    return v == d->values.end() ? nullptr : &v->second;
}

void setValue(OutputStyle& style, uint32_t owner, const std::vector<std::string>& path,
              const std::string& value) {
    if (path.empty()) return;
    DataDict* d = &style.data[owner];
    for (size_t i = 0; i + 1 < path.size(); ++i)
        d = &d->dicts[path[i]];
    d->values[path.back()] = value;
}

double styleBleed(const OutputStyle& style) {
    const std::string* v = findValue(style, kOwnerBleed, {"BleedSettings", "Symmetric"});
    if (!v || v->empty()) return 0;
    double b = std::strtod(v->c_str(), nullptr);
    // A negative bleed would shrink the page, and one the style editor refuses (infinite, or
    // over kMaxBleed) can only come from a file written by hand: the host treats both as none.
    return b > 0 && b <= kMaxBleed ? b : 0;
}

bool styleExportsSpreads(const OutputStyle& style) {
    const std::string* v = nullptr;
    if (style.type == kTypeEps)
        v = findValue(style, kOwnerEpsExport, {"EPS", "General", "Spread"});
    else if (style.type == kTypePdf)
        v = findValue(style, kOwnerPdfExport, {"PageOptions", "Spreads"});
    return v && std::atoi(v->c_str()) == 1;
}

const char* styleTypeName(uint32_t type) {
    if (type == kTypeEps) return "EPS";
    if (type == kTypePdf) return "PDF";
    return "Print";
}

bool styleTypeFromName(const std::string& name, uint32_t& type) {
    if (name == "EPS")
        type = kTypeEps;
    else if (name == "PDF")
        type = kTypePdf;
    else if (name == "Print")
        type = kTypeNone;
    else
        return false;
    return true;
}

HostSettings& hostSettings() {
    static HostSettings settings = [] {
        HostSettings s;
        resetSettings(s);
        return s;
    }();
    return settings;
}

} // namespace refhost
