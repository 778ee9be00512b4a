#pragma once
#include <functional>
#include <string>
#include <vector>

#include "export/export_state.h"
#include "export/export_ui.h"
#include "fake_host.h"

// Test support: a fresh preferences store in a temporary folder, a user who answers from a
// script, and the fake host.

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

struct UserLog {
    std::vector<std::string> messages; // "key|detail" of every box shown
    std::vector<int32_t> answers;      // answers to the Yes/No questions, in order (default Yes)
    int progressRuns = 0;
    std::string progressTitle;
    int32_t progressResult = -1;
    std::function<bool(ExportState&)> dialog; // the export dialog; null: cancelled
};

// Installs the scripted user interface for the life of the object.
class ScriptedUser {
  public:
    ScriptedUser();
    ~ScriptedUser();
    UserLog log;
};

// Preferences in a temporary folder, the fake host and the scripted user.
struct ExportWorld {
    ExportWorld();
    ~ExportWorld();
    TempFolder folder;
    FakeHost host;
    ScriptedUser user;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
