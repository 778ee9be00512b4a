#pragma once
// The reference host's application: its main window, menus and events, the open documents
// as the user works with them, and the host commands of scripts (see automation/).
#include "app/command_line.h"
#include "app/host_events.h"
#include "model/document.h"
#include "model/output_style.h"

#include <windows.h>

#include <string>
#include <vector>

namespace refhost {

class CMyScriptRunner;

// A page given as an absolute number or, failing that, by its displayed name.
bool resolvePageText(Layout& layout, const std::string& text, int& page);

class CMyHostApp {
  public:
    static CMyHostApp& instance();

    // The whole program: start-up, the message loop, the exit status.
    int run(const HostOptions& options);

    HWND mainWindow() const { return mainWindow_; }
    int16_t language() const { return language_; }

    // Host events, each with the plug-in messages that go with it.
    void setLanguage(int code);        // 5
    void periodic();                   // 12
    void eventDone();                  // 10
    void menusAboutToShow();           // 7
    void runCommand(UINT id);          // 12, then 618 or the host's own command
    HMENU buildContextMenu();          // 318; the caller destroys the menu
    bool keyEvent(KxhEventRec& event); // 956; true when a plug-in consumed the key

    // Documents. Each returns an empty text or the reason it failed.
    std::string openProject(const std::string& path, bool untitled);
    std::string saveProject(Document& doc, const std::string& path);
    // Writes the project to `path`; the project keeps its own path and changed mark.
    std::string saveProjectCopy(Document& doc, const std::string& path);
    std::string closeDocument(Document& doc);
    std::string printLayout(const std::string& styleName, const std::string& path, int first,
                            int last);
    // The modal style editor; true when confirmed.
    bool editStyle(HWND parent, OutputStyle& style);
    void refresh();

    // Shows an error: on stderr when a script runs (no one would answer a box), else in a box.
    void reportError(const std::string& text);

    // The script's host commands, run on this thread.
    std::string scriptCommand(const std::vector<std::string>& words);

    LRESULT windowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

  private:
    bool createMainWindow();
    void paint(HDC dc, const RECT& client);
    void onHostCommand(UINT id);
    void selectAt(int x, int y);

    HostOptions options_;
    HWND mainWindow_ = nullptr;
    HMENU stylesMenu_ = nullptr;
    int16_t language_ = 0;
    int busy_ = 0;
    int exitCode_ = 0;
    CMyScriptRunner* runner_ = nullptr;
    // The page's placement in the client area, for hit tests.
    double viewScale_ = 1, viewLeft_ = 0, viewTop_ = 0;
};

} // namespace refhost
