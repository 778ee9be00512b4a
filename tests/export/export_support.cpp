#include "export_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/export_ui.h"
#include "export/text_fields.h"
#include "foundation/prefs.h"

static ExportWorld* gWorld = nullptr;

static void showMessage(const char* key, const char* detail) {
    gWorld->messages.push_back(std::string(key) + "|" + (detail ? detail : ""));
}

static Answer askYesNo(const char* key, const char* detail) {
    showMessage(key, detail);
    auto& answers = gWorld->answers;
    Answer answer = answers.empty() ? Answer::Yes : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return answer;
}

// The progress dialog's contract: nothing for an empty list, one call without an item, then
// one per element until a step refuses.
static ProgressEnd runProgress(const char* title, ProgressStep step, CMyArray* list, void* owner) {
    if (list->count == 0) return ProgressEnd::Done;
    gWorld->progressTitle = title;
    step(nullptr, nullptr, at(list, 0), owner);
    for (int32_t i = 0; i < list->count; i++)
        if (!step(nullptr, at(list, i), at(list, i + 1), owner))
            return gWorld->progressEnd = ProgressEnd::Refused;
    return gWorld->progressEnd = ProgressEnd::Done;
}

static void openFile(const char* path) {
    gWorld->opened.push_back(path);
}

static void showProgressText(void*, const char* text) {
    gWorld->progressTexts.push_back(text);
}

static std::optional<ExportRequest> runDialog(const ExportRequest& proposal) {
    if (!gWorld->dialog) return std::nullopt;
    ExportRequest request = proposal;
    std::string path = gWorld->dialog(request);
    if (path.empty() || !copyText(request.exportPath, path.c_str())) return std::nullopt;
    return request;
}

ExportWorld::ExportWorld() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kx-export-XXXXXX").string();
    folder = mkdtemp(pattern.data()) ? pattern : "";
    openPrefsIn(folder.c_str(), nullptr);
    gWorld = this;
    ExportUi ui{showMessage, askYesNo, runProgress, runDialog, openFile, showProgressText};
    setExportUi(&ui);
}

ExportWorld::~ExportWorld() {
    setExportUi(nullptr);
    gWorld = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string readFile(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
