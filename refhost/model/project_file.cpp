#include "model/project_file.h"

#include "model/base64.h"
#include "model/fourcc.h"
#include "model/json_util.h"
#include "model/path_names.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

namespace refhost {

namespace {

const char* kProjectFormat = "layouthost-project/1";
constexpr int kMaxPages = 9999;
constexpr double kMaxPageSide = 14400; // points: the largest page a PDF can carry

struct Malformed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const struct {
    const char* name;
    PageNumberStyle style;
} kStyleNames[] = {{"arabic", PageNumberStyle::Arabic},
                   {"roman", PageNumberStyle::RomanLower},
                   {"ROMAN", PageNumberStyle::RomanUpper},
                   {"alpha", PageNumberStyle::AlphaLower},
                   {"ALPHA", PageNumberStyle::AlphaUpper}};

const char* styleName(PageNumberStyle s) {
    for (const auto& n : kStyleNames)
        if (n.style == s) return n.name;
    return "arabic";
}

int readInt(const Json& obj, const char* key, const std::string& where, int lo, int hi,
            bool required, int fallback) {
    if (!obj.contains(key)) {
        if (required) throw Malformed(where + " has no \"" + key + "\"");
        return fallback;
    }
    const Json& v = obj[key];
    if (!v.is_number_integer() || v.get<long long>() < lo || v.get<long long>() > hi)
        throw Malformed(where + ": \"" + key + "\" must be a whole number from " +
                        std::to_string(lo) + " to " + std::to_string(hi));
    return static_cast<int>(v.get<long long>());
}

double readNumber(const Json& v, const std::string& what) {
    if (!v.is_number() || !std::isfinite(v.get<double>()))
        throw Malformed(what + " is not a number");
    return v.get<double>();
}

std::string readText(const Json& obj, const char* key, const std::string& where) {
    if (!obj.contains(key)) return std::string();
    if (!obj[key].is_string()) throw Malformed(where + ": \"" + key + "\" is not a text");
    return obj[key].get<std::string>();
}

bool readBool(const Json& obj, const char* key, const std::string& where) {
    if (!obj.contains(key)) return false;
    if (!obj[key].is_boolean()) throw Malformed(where + ": \"" + key + "\" is not true/false");
    return obj[key].get<bool>();
}

// An entry that cannot be read is kept as it stands (and noted): one bad block must not cost
// the project, nor be lost when the project is saved.
void readData(const Json& obj, DataBlocks& blocks, KeptData& kept, const std::string& where,
              std::vector<std::string>& notes) {
    if (!obj.contains("data")) return;
    const Json& data = obj["data"];
    if (!data.is_object()) throw Malformed(where + ": \"data\" is not an object");
    for (auto it = data.begin(); it != data.end(); ++it) {
        uint32_t owner = 0;
        bool named = fourCCFromName(it.key(), owner);
        std::vector<uint8_t> bytes;
        if (named && it->is_string() && base64Decode(it->get<std::string>(), bytes)) {
            blocks[owner] = std::move(bytes);
            continue;
        }
        kept.entries[it.key()] = it->dump();
        if (named) kept.owners.push_back(owner);
        notes.push_back(
            where + ": data of \"" + it.key() + "\" " +
            (named ? "is not base64 text" : "has an owner that is not four characters") +
            "; it is kept unchanged, and plug-ins can neither read nor change it");
    }
}

Json writeData(const DataBlocks& blocks, const KeptData& kept) {
    Json j = Json::object();
    for (const auto& [owner, bytes] : blocks)
        j[fourCCName(owner)] = base64Encode(bytes);
    for (const auto& [name, value] : kept.entries)
        j[name] = Json::parse(value);
    return j;
}

// Deeper groups are refused rather than read by ever deeper recursion.
constexpr int kMaxGroupDepth = 32;

std::unique_ptr<Item> readItem(const Json& j, const Layout& layout, const std::string& where,
                               int depth = 0) {
    if (!j.is_object()) throw Malformed(where + " is not an object");
    if (depth > kMaxGroupDepth) throw Malformed(where + ": groups are nested too deeply");
    auto item = std::make_unique<Item>();
    std::string type = readText(j, "type", where);
    if (type == "box")
        item->type = ItemType::Box;
    else if (type == "text")
        item->type = ItemType::Text;
    else if (type == "group")
        item->type = ItemType::Group;
    else
        throw Malformed(where + ": \"type\" must be box, text or group");
    item->name = readText(j, "name", where);
    std::string label = item->name.empty() ? where : where + " (\"" + item->name + "\")";
    bool isGroup = item->type == ItemType::Group;
    item->page = readInt(j, "page", label, 1, layout.pageCount, !isGroup, 0);
    if (j.contains("bounds")) {
        const Json& b = j["bounds"];
        if (!b.is_array() || b.size() != 4)
            throw Malformed(label + ": \"bounds\" must be [top, left, bottom, right]");
        item->bounds = {readNumber(b[0], label + ": top"), readNumber(b[1], label + ": left"),
                        readNumber(b[2], label + ": bottom"), readNumber(b[3], label + ": right")};
        if (item->bounds.bottom < item->bounds.top || item->bounds.right < item->bounds.left)
            throw Malformed(label + ": \"bounds\" has bottom above top or right left of left");
    } else if (!isGroup) {
        throw Malformed(label + " has no \"bounds\"");
    }
    item->text = utf8ToUtf16(readText(j, "text", label));
    if (j.contains("fontSize")) {
        item->fontSize = readNumber(j["fontSize"], label + ": \"fontSize\"");
        if (item->fontSize <= 0 || item->fontSize > 720)
            throw Malformed(label + ": \"fontSize\" must be above 0 and at most 720");
    }
    item->suppressOutput = readBool(j, "suppressOutput", label);
    if (j.contains("members")) {
        if (!isGroup) throw Malformed(label + ": only groups have \"members\"");
        if (!j["members"].is_array()) throw Malformed(label + ": \"members\" is not a list");
        const Json& members = j["members"];
        for (size_t i = 0; i < members.size(); ++i) {
            auto m =
                readItem(members[i], layout, label + " member " + std::to_string(i + 1), depth + 1);
            if (item->page == 0) item->page = m->page;
            if (m->page != item->page)
                throw Malformed(label + ": members must lie on the group's page");
            item->members.push_back(std::move(m));
        }
    }
    if (isGroup) {
        if (item->page == 0) throw Malformed(label + " has neither \"page\" nor members");
        if (!j.contains("bounds") && !item->members.empty()) {
            Rect u = item->members.front()->bounds;
            for (const auto& m : item->members) {
                u.top = std::min(u.top, m->bounds.top);
                u.left = std::min(u.left, m->bounds.left);
                u.bottom = std::max(u.bottom, m->bounds.bottom);
                u.right = std::max(u.right, m->bounds.right);
            }
            item->bounds = u;
        }
    }
    return item;
}

// Hands out ids and parent links in file order once the whole tree was read.
void adoptItems(Document& doc, std::vector<std::unique_ptr<Item>>& items, Item* parent) {
    for (auto& it : items) {
        it->id = doc.nextItemId++;
        it->parent = parent;
        adoptItems(doc, it->members, it.get());
    }
}

void readSections(const Json& j, Layout& layout, const std::string& where) {
    if (!j.contains("sections")) return;
    if (!j["sections"].is_array()) throw Malformed(where + ": \"sections\" is not a list");
    const Json& list = j["sections"];
    for (size_t i = 0; i < list.size(); ++i) {
        std::string w = where + " section " + std::to_string(i + 1);
        if (!list[i].is_object()) throw Malformed(w + " is not an object");
        Section s;
        s.firstPage = readInt(list[i], "firstPage", w, 1, layout.pageCount, true, 1);
        s.start = readInt(list[i], "start", w, 1, 1000000, false, 1);
        s.prefix = readText(list[i], "prefix", w);
        std::string style = list[i].contains("style") ? readText(list[i], "style", w) : "arabic";
        bool known = false;
        for (const auto& n : kStyleNames)
            if (style == n.name) {
                s.style = n.style;
                known = true;
            }
        if (!known) throw Malformed(w + ": \"style\" must be arabic, roman, ROMAN, alpha or ALPHA");
        if (i == 0 && s.firstPage != 1)
            throw Malformed(w + ": the first section must start on page 1");
        if (i > 0 && s.firstPage <= layout.sections.back().firstPage)
            throw Malformed(w + ": sections must start on ascending pages");
        layout.sections.push_back(s);
    }
}

void readSpreads(const Json& j, Layout& layout, const std::string& where) {
    if (!j.contains("spreads")) return;
    if (!j["spreads"].is_array()) throw Malformed(where + ": \"spreads\" is not a list");
    int expected = 1;
    for (const Json& spread : j["spreads"]) {
        if (!spread.is_array() || spread.empty())
            throw Malformed(where + ": each spread must be a non-empty list of pages");
        std::vector<int> pages;
        for (const Json& p : spread) {
            if (!p.is_number_integer() || p.get<long long>() != expected)
                throw Malformed(
                    where + ": spreads must list pages 1 to " + std::to_string(layout.pageCount) +
                    " once each, in order (expected page " + std::to_string(expected) + ")");
            pages.push_back(expected++);
        }
        layout.spreads.push_back(pages);
    }
    if (expected != layout.pageCount + 1)
        throw Malformed(where + ": spreads must list pages 1 to " +
                        std::to_string(layout.pageCount) + " (page " + std::to_string(expected) +
                        " is missing)");
}

void readLayout(const Json& j, Document& doc, size_t index) {
    std::string where = "layout " + std::to_string(index + 1);
    if (!j.is_object()) throw Malformed(where + " is not an object");
    std::string name = readText(j, "name", where);
    if (name.empty()) throw Malformed(where + " has no \"name\"");
    for (const auto& l : doc.layouts)
        if (l->name == name) throw Malformed("two layouts are named \"" + name + "\"");
    where = "layout \"" + name + "\"";
    Layout& layout = addLayout(doc, name);
    for (const char* key : {"pageWidth", "pageHeight"}) {
        if (!j.contains(key)) throw Malformed(where + " has no \"" + key + "\"");
        double v = readNumber(j[key], where + ": \"" + key + "\"");
        if (v <= 0 || v > kMaxPageSide)
            throw Malformed(where + ": \"" + key + "\" must be above 0 and at most 14400");
        (std::string(key) == "pageWidth" ? layout.pageWidth : layout.pageHeight) = v;
    }
    layout.pageCount = readInt(j, "pageCount", where, 1, kMaxPages, true, 1);
    readSections(j, layout, where);
    readSpreads(j, layout, where);
    applyLayoutDefaults(layout);
    if (j.contains("items")) {
        if (!j["items"].is_array()) throw Malformed(where + ": \"items\" is not a list");
        const Json& items = j["items"];
        for (size_t i = 0; i < items.size(); ++i)
            layout.items.push_back(
                readItem(items[i], layout, where + " item " + std::to_string(i + 1)));
        adoptItems(doc, layout.items, nullptr);
    }
    readData(j, layout.data, layout.keptData, where, doc.keptNotes);
}

Json writeItem(const Item& item) {
    Json j = Json::object();
    if (!item.name.empty()) j["name"] = item.name;
    j["type"] = item.type == ItemType::Box ? "box" : item.type == ItemType::Text ? "text" : "group";
    j["page"] = item.page;
    j["bounds"] = {item.bounds.top, item.bounds.left, item.bounds.bottom, item.bounds.right};
    if (item.type == ItemType::Text) {
        j["text"] = utf16ToUtf8(item.text);
        j["fontSize"] = item.fontSize;
    }
    j["suppressOutput"] = item.suppressOutput;
    if (item.type == ItemType::Group) {
        Json members = Json::array();
        for (const auto& m : item.members)
            members.push_back(writeItem(*m));
        j["members"] = members;
    }
    return j;
}

} // namespace

std::unique_ptr<Document> parseProject(const std::string& text, const std::string& fileName,
                                       std::string* error) {
    Json j;
    if (!parseJsonDocument(text, fileName, j, error)) return nullptr;
    auto doc = newDocument();
    try {
        if (!j.contains("format") || j["format"] != kProjectFormat)
            throw Malformed(std::string("\"format\" is not \"") + kProjectFormat + "\"");
        if (!j.contains("layouts") || !j["layouts"].is_array() || j["layouts"].empty())
            throw Malformed("\"layouts\" is missing or empty");
        for (size_t i = 0; i < j["layouts"].size(); ++i)
            readLayout(j["layouts"][i], *doc, i);
        readData(j, doc->data, doc->keptData, "project", doc->keptNotes);
    } catch (const Malformed& e) {
        if (error) *error = fileName + ": " + e.what();
        return nullptr;
    } catch (const nlohmann::json::exception& e) {
        if (error) *error = fileName + ": " + jsonParseReason(e);
        return nullptr;
    }
    doc->name = fileNameOf(fileName);
    for (std::string& note : doc->keptNotes)
        note = fileName + ": " + note;
    return doc;
}

std::string projectToJson(const Document& doc) {
    Json j = Json::object();
    j["format"] = kProjectFormat;
    Json layouts = Json::array();
    for (const auto& l : doc.layouts) {
        Json o = Json::object();
        o["name"] = l->name;
        o["pageWidth"] = l->pageWidth;
        o["pageHeight"] = l->pageHeight;
        o["pageCount"] = l->pageCount;
        Json sections = Json::array();
        for (const auto& s : l->sections)
            sections.push_back({{"firstPage", s.firstPage},
                                {"start", s.start},
                                {"prefix", s.prefix},
                                {"style", styleName(s.style)}});
        o["sections"] = sections;
        o["spreads"] = l->spreads;
        Json items = Json::array();
        for (const auto& it : l->items)
            items.push_back(writeItem(*it));
        o["items"] = items;
        o["data"] = writeData(l->data, l->keptData);
        layouts.push_back(o);
    }
    j["layouts"] = layouts;
    j["data"] = writeData(doc.data, doc.keptData);
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace refhost
