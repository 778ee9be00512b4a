#include "model/json_util.h"
#include "model/output_style.h"

#include <stdexcept>

namespace refhost {

namespace {

const char* kSettingsFormat = "layouthost-settings/1";

// Thrown inside the reader only; the public functions turn it into an error text.
struct Malformed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Deeper trees are refused rather than read by ever deeper recursion.
constexpr int kMaxDepth = 32;

void readDict(const Json& j, DataDict& d, const std::string& where, int depth = 0) {
    if (!j.is_object()) throw Malformed(where + " is not an object");
    if (depth > kMaxDepth) throw Malformed(where + " is nested too deeply");
    for (auto it = j.begin(); it != j.end(); ++it) {
        const std::string sub = where + "/" + it.key();
        if (it->is_string())
            d.values[it.key()] = it->get<std::string>();
        else if (it->is_object())
            readDict(*it, d.dicts[it.key()], sub, depth + 1);
        else
            throw Malformed(sub + " is neither a text nor a dictionary");
    }
}

Json writeDict(const DataDict& d) {
    Json j = Json::object();
    for (const auto& [k, v] : d.values)
        j[k] = v;
    for (const auto& [k, v] : d.dicts)
        j[k] = writeDict(v);
    return j;
}

std::unique_ptr<OutputStyle> readStyle(const Json& j, size_t index) {
    std::string where = "outputStyles[" + std::to_string(index) + "]";
    if (!j.is_object()) throw Malformed(where + " is not an object");
    auto style = std::make_unique<OutputStyle>();
    if (!j.contains("name") || !j["name"].is_string() || j["name"].get<std::string>().empty())
        throw Malformed(where + " has no \"name\" text");
    style->name = j["name"].get<std::string>();
    where = "output style \"" + style->name + "\"";
    if (!j.contains("type") || !j["type"].is_string() ||
        !styleTypeFromName(j["type"].get<std::string>(), style->type))
        throw Malformed(where + " has no \"type\" of EPS, PDF or Print");
    if (j.contains("default")) {
        if (!j["default"].is_boolean()) throw Malformed(where + ": \"default\" is not true/false");
        style->isDefault = j["default"].get<bool>();
    }
    if (j.contains("ProcessColors")) {
        if (!j["ProcessColors"].is_boolean())
            throw Malformed(where + ": \"ProcessColors\" is not true/false");
        style->processColors = j["ProcessColors"].get<bool>();
    }
    if (j.contains("data")) {
        const Json& data = j["data"];
        if (!data.is_object()) throw Malformed(where + ": \"data\" is not an object");
        for (auto it = data.begin(); it != data.end(); ++it) {
            uint32_t owner = 0;
            if (!fourCCFromName(it.key(), owner))
                throw Malformed(where + ": data owner \"" + it.key() + "\" is not four characters");
            readDict(*it, style->data[owner], where + ": data/" + it.key());
        }
    }
    style->extraJson = extraFields(j, {"name", "type", "default", "ProcessColors", "data"});
    return style;
}

} // namespace

bool parseSettings(const std::string& text, const std::string& fileName, HostSettings& settings,
                   std::string* error) {
    Json j;
    if (!parseJsonDocument(text, fileName, j, error)) return false;
    HostSettings fresh;
    try {
        if (!j.contains("format") || j["format"] != kSettingsFormat)
            throw Malformed(std::string("\"format\" is not \"") + kSettingsFormat + "\"");
        if (!j.contains("outputStyles") || !j["outputStyles"].is_array())
            throw Malformed("\"outputStyles\" is missing or not a list");
        const Json& list = j["outputStyles"];
        for (size_t i = 0; i < list.size(); ++i) {
            auto style = readStyle(list[i], i);
            for (const auto& s : fresh.styles) {
                if (s->name == style->name)
                    throw Malformed("two output styles are named \"" + style->name + "\"");
                if (s->isDefault && style->isDefault && s->type == style->type)
                    throw Malformed(std::string("two default output styles of type ") +
                                    styleTypeName(s->type) + ": \"" + s->name + "\" and \"" +
                                    style->name + "\"");
            }
            fresh.styles.push_back(std::move(style));
        }
        if (j.contains("pdfOpenAfterExport")) {
            if (!j["pdfOpenAfterExport"].is_boolean())
                throw Malformed("\"pdfOpenAfterExport\" is not true/false");
            fresh.pdfOpenAfterExport = j["pdfOpenAfterExport"].get<bool>();
        }
        fresh.extraJson = extraFields(j, {"format", "outputStyles", "pdfOpenAfterExport"});
    } catch (const Malformed& e) {
        if (error) *error = fileName + ": " + e.what();
        return false;
    } catch (const nlohmann::json::exception& e) {
        if (error) *error = fileName + ": " + jsonParseReason(e);
        return false;
    }
    fresh.path = settings.path;
    settings = std::move(fresh);
    return true;
}

std::string settingsToJson(const HostSettings& settings) {
    Json j = Json::object();
    j["format"] = kSettingsFormat;
    j["pdfOpenAfterExport"] = settings.pdfOpenAfterExport;
    Json list = Json::array();
    for (const auto& s : settings.styles) {
        Json o = Json::object();
        o["name"] = s->name;
        o["type"] = styleTypeName(s->type);
        o["default"] = s->isDefault;
        o["ProcessColors"] = s->processColors;
        Json data = Json::object();
        for (const auto& [owner, dict] : s->data)
            data[fourCCName(owner)] = writeDict(dict);
        o["data"] = data;
        mergeExtraFields(o, s->extraJson);
        list.push_back(o);
    }
    j["outputStyles"] = list;
    mergeExtraFields(j, settings.extraJson);
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace refhost
