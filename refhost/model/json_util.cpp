#include "model/json_util.h"

namespace refhost {

std::string jsonParseReason(const nlohmann::json::exception& e) {
    std::string s = e.what();
    size_t p = s.find("] ");
    if (s.rfind("[json.exception.", 0) == 0 && p != std::string::npos) s = s.substr(p + 2);
    return s;
}

bool parseJsonDocument(const std::string& text, const std::string& fileName, Json& out,
                       std::string* error) {
    try {
        out = Json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        if (error) *error = fileName + ": not valid JSON: " + jsonParseReason(e);
        return false;
    }
    if (!out.is_object()) {
        if (error) *error = fileName + ": the top level is not a JSON object";
        return false;
    }
    return true;
}

std::string extraFields(const Json& obj, std::initializer_list<const char*> known) {
    Json extra = Json::object();
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        bool isKnown = false;
        for (const char* k : known)
            if (it.key() == k) isKnown = true;
        if (!isKnown) extra[it.key()] = it.value();
    }
    return extra.empty() ? std::string() : extra.dump();
}

void mergeExtraFields(Json& obj, const std::string& extra) {
    if (extra.empty()) return;
    Json e = Json::parse(extra, nullptr, false);
    if (!e.is_object()) return;
    for (auto it = e.begin(); it != e.end(); ++it)
        if (!obj.contains(it.key())) obj[it.key()] = it.value();
}

} // namespace refhost
