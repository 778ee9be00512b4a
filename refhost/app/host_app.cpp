#include "app/host_app.h"

#include "app/host_menus.h"
#include "app/output_glue.h"
#include "app/table_glue.h"
#include "automation/script_runner.h"
#include "model/file_io.h"
#include "model/project_file.h"
#include "model/wide_text.h"
#include "output/distiller.h"
#include "output/output.h"
#include "plugins/plugin_dispatch.h"

#include <cstdio>

namespace refhost {

namespace {

const UINT_PTR kPeriodicTimer = 1;
const UINT kPeriodicMillis = 2000;

std::string programFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::string full = narrow(std::wstring(path, n));
    return folderOf(full);
}

} // namespace

CMyHostApp& CMyHostApp::instance() {
    static CMyHostApp app;
    return app;
}

void CMyHostApp::reportError(const std::string& text) {
    if (runner_ || !mainWindow_) {
        fprintf(stderr, "layouthost: %s\n", text.c_str());
        fflush(stderr);
        return;
    }
    MessageBoxW(mainWindow_, widen(text).c_str(), L"layouthost", MB_OK | MB_ICONERROR);
}

int CMyHostApp::run(const HostOptions& options) {
    options_ = options;
    if (!options.distiller.empty()) setDistillerPath(options.distiller);
    if (!options.residentDistiller.empty()) setResidentDistillerPath(options.residentDistiller);
    if (options.distillerTimeout > 0) setResidentDistillerTimeout(options.distillerTimeout);

    HostSettings& settings = hostSettings();
    resetSettings(settings);
    if (!options.settingsFile.empty()) {
        std::string error;
        if (!fileExists(options.settingsFile)) {
            // A new settings file: the defaults, written when something changes.
            settings.path = options.settingsFile;
        } else if (!loadSettings(options.settingsFile, settings, &error)) {
            // The file is refused as a whole and left untouched on disk.
            fprintf(stderr, "layouthost: %s\n", error.c_str());
            resetSettings(settings);
        }
    }

    CMyScriptRunner runner(
        [this](const std::vector<std::string>& words) { return scriptCommand(words); });
    if (!options.scriptFile.empty()) {
        std::string error;
        if (!runner.load(options.scriptFile, error)) {
            fprintf(stderr, "layouthost: %s\n", error.c_str());
            return 2;
        }
        if (options.dialogTimeout > 0) runner.setStillLimit(options.dialogTimeout);
        runner_ = &runner;
    }

    if (!createMainWindow()) {
        fprintf(stderr, "layouthost: cannot create the main window\n");
        return 1;
    }
    connectOutputHooks();
    connectAppTables();
    loadPlugins(options.pluginFolder.empty() ? programFolder() : options.pluginFolder);

    setLanguage(options.language);
    KxhMenuBuildParams build = {};
    build.hostMenu = kHostMenuUtilities;
    sendMessage(KXH_MSG_MENU_BUILD, build);
    DrawMenuBar(mainWindow_);

    for (const auto& path : options.projects) {
        std::string error = openProject(path, false);
        if (!error.empty()) reportError(error);
    }
    SetTimer(mainWindow_, kPeriodicTimer, kPeriodicMillis, nullptr);
    if (runner_) runner.start(mainWindow_);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        eventDone();
    }
    runner_ = nullptr;
    return exitCode_;
}

void CMyHostApp::setLanguage(int code) {
    language_ = int16_t(code);
    KxhLanguageParams params = {};
    params.language = int16_t(code);
    sendMessage(KXH_MSG_LANGUAGE, params);
}

void CMyHostApp::periodic() {
    KxhPeriodicParams params = {};
    sendMessage(KXH_MSG_PERIODIC, params);
}

void CMyHostApp::eventDone() {
    KxhEventDoneParams params = {};
    sendMessage(KXH_MSG_EVENT_DONE, params);
}

void CMyHostApp::menusAboutToShow() {
    KxhMenuUpdateParams params = {};
    sendMessage(KXH_MSG_MENU_UPDATE, params);
}

void CMyHostApp::runCommand(UINT id) {
    ++busy_;
    periodic();
    if (isPluginCommand(id)) {
        KxhCommandParams params = {};
        params.commandId = uint16_t(id);
        sendMessage(KXH_MSG_COMMAND, params);
    } else {
        onHostCommand(id);
    }
    --busy_;
    refresh();
}

HMENU CMyHostApp::buildContextMenu() {
    HMENU menu = CreatePopupMenu();
    KxhContextMenuParams params = {};
    params.menu = reinterpret_cast<KxhMenu>(menu);
    sendMessage(KXH_MSG_CONTEXT_MENU, params);
    return menu;
}

bool CMyHostApp::keyEvent(KxhEventRec& event) {
    KxhKeyParams params = {};
    params.event = &event;
    sendMessage(KXH_MSG_KEY, params);
    return params.handled != 0;
}

std::string CMyHostApp::openProject(const std::string& path, bool untitled) {
    std::string error;
    std::unique_ptr<Document> loaded = loadProject(path, untitled, &error);
    if (!loaded) return error.empty() ? path + ": cannot be opened" : error;
    // The project opens; what of it the host kept unread is told, naming each block.
    for (const std::string& note : loaded->keptNotes)
        reportError(note);
    Document& doc = adoptDocument(std::move(loaded));
    KxhDocOpenedParams params = {};
    params.document = doc.id;
    sendMessage(KXH_MSG_DOC_OPENED, params);
    refresh();
    return {};
}

std::string CMyHostApp::saveProject(Document& doc, const std::string& path) {
    std::string error;
    if (!refhost::saveProject(doc, path, &error))
        return error.empty() ? path + ": cannot be written" : error;
    KxhDocSavedParams params = {};
    params.document = doc.id;
    params.afterSave = 1;
    params.copyOnly = 0;
    sendMessage(KXH_MSG_DOC_SAVED, params);
    // What the handlers recorded about this save belongs in the file just written.
    if (doc.changed && !refhost::saveProject(doc, path, &error))
        return error.empty() ? path + ": cannot be written" : error;
    refresh();
    return {};
}

std::string CMyHostApp::saveProjectCopy(Document& doc, const std::string& path) {
    std::string error;
    if (!writeProjectCopy(doc, path, &error))
        return error.empty() ? path + ": cannot be written" : error;
    KxhDocSavedParams params = {};
    params.document = doc.id;
    params.afterSave = 1;
    params.copyOnly = 1;
    sendMessage(KXH_MSG_DOC_SAVED, params);
    refresh();
    return {};
}

std::string CMyHostApp::closeDocument(Document& doc) {
    refhost::closeDocument(doc);
    refresh();
    return {};
}

std::string CMyHostApp::printLayout(const std::string& styleName, const std::string& path,
                                    int first, int last) {
    Layout* layout = frontLayout();
    if (!layout) return "no layout is open";
    OutputStyle* style = findStyle(hostSettings(), styleName);
    if (!style) return "no output style \"" + styleName + "\"";
    OutputRequest request;
    request.layout = layout;
    request.type = style->type;
    request.userInitiated = true;
    request.style = style;
    request.firstPage = first;
    request.lastPage = last;
    request.outputFile = path;
    std::string error;
    ++busy_;
    int result = runOutput(request, &error);
    --busy_;
    refresh();
    if (result == kOutputOk) return {};
    return "output failed (" + std::to_string(result) + ")" + (error.empty() ? "" : ": " + error);
}

} // namespace refhost
