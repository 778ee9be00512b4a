// Helpers shared by the project and settings readers.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace refhost {

using Json = nlohmann::ordered_json;

// A readable reason for a parse failure, without the library's prefix.
std::string jsonParseReason(const nlohmann::json::exception& e);
// Parses text; on failure error = "FILE: reason".
bool parseJsonDocument(const std::string& text, const std::string& fileName, Json& out,
                       std::string* error);
// The fields of obj not in known, as a JSON object text ("" when none).
std::string extraFields(const Json& obj, std::initializer_list<const char*> known);
void mergeExtraFields(Json& obj, const std::string& extra);

} // namespace refhost
