#include "export_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/array.h"
#include "foundation/prefs.h"

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kx-export-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back(0);
    if (mkdtemp(buffer.data())) path_ = buffer.data();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

static UserLog* gUser = nullptr;

static void showMessage(const char* key, const char* detail) {
    gUser->messages.push_back(std::string(key) + "|" + (detail ? detail : ""));
}

static int32_t askYesNo(const char* key, const char* detail) {
    showMessage(key, detail);
    if (gUser->answers.empty()) return 1;
    int32_t answer = gUser->answers.front();
    gUser->answers.erase(gUser->answers.begin());
    return answer;
}

// The progress dialog's contract: nothing for an empty list, one call without an item, then
// one per element; 0 when a step refuses.
static int32_t runProgress(const char* title, ProgressStep step, CMyArray* list, void* owner) {
    if (list->count == 0) return 1;
    gUser->progressRuns++;
    gUser->progressTitle = title;
    step(nullptr, nullptr, at(list, 0), owner);
    for (int32_t i = 0; i < list->count; i++)
        if (!step(nullptr, at(list, i), at(list, i + 1), owner)) return gUser->progressResult = 0;
    return gUser->progressResult = 1;
}

static bool runDialog(ExportState& state) {
    return gUser->dialog && gUser->dialog(state);
}

ScriptedUser::ScriptedUser() {
    gUser = &log;
    ExportUi ui{showMessage, askYesNo, runProgress, runDialog, nullptr};
    setExportUi(&ui);
}

ScriptedUser::~ScriptedUser() {
    setExportUi(nullptr);
    gUser = nullptr;
}

ExportWorld::ExportWorld() {
    openPrefsIn(folder.path().c_str(), nullptr);
    resetExportState(exportState());
}

ExportWorld::~ExportWorld() {
    resetExportState(exportState());
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
