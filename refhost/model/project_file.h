// Project files (.lyt): JSON "layouthost-project/1".
#pragma once

#include "model/document.h"

#include <memory>
#include <string>

namespace refhost {

// Reads a project. On failure returns nullptr and error reads "FILE: what is wrong"; nothing
// is half-loaded. untitled: the content becomes a project never saved (no path).
std::unique_ptr<Document> loadProject(const std::string& path, bool untitled, std::string* error);
std::unique_ptr<Document> parseProject(const std::string& json, const std::string& fileName,
                                       std::string* error);
std::string projectToJson(const Document& doc);
// Writes the project to path (temp file, then rename) and changes nothing of doc.
bool writeProjectCopy(const Document& doc, const std::string& path, std::string* error);
// Writes the project to path (temp file, then rename), sets doc.path and name, clears changed.
bool saveProject(Document& doc, const std::string& path, std::string* error);

} // namespace refhost
