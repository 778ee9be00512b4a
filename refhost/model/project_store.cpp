// Projects to and from their files; the reading and writing of the text is project_file.cpp's.
#include "model/file_io.h"
#include "model/path_names.h"
#include "model/project_file.h"

namespace refhost {

namespace {

int untitledCounter = 0;

} // namespace

std::unique_ptr<Document> loadProject(const std::string& path, bool untitled, std::string* error) {
    std::string text;
    if (!readWholeFile(path, text)) {
        if (error) *error = path + ": cannot be read";
        return nullptr;
    }
    auto doc = parseProject(text, path, error);
    if (!doc) return nullptr;
    if (untitled) {
        doc->path.clear();
        doc->name = "Project" + std::to_string(++untitledCounter);
    } else {
        doc->path = path;
        doc->name = fileNameOf(path);
    }
    doc->changed = false;
    return doc;
}

bool writeProjectCopy(const Document& doc, const std::string& path, std::string* error) {
    return writeFileAtomic(path, projectToJson(doc), error);
}

bool saveProject(Document& doc, const std::string& path, std::string* error) {
    if (!writeFileAtomic(path, projectToJson(doc), error)) return false;
    doc.path = path;
    doc.name = fileNameOf(path);
    doc.changed = false;
    return true;
}

} // namespace refhost
