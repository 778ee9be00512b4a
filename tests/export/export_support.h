#pragma once
#include <functional>
#include <string>
#include <vector>

#include "export/export_request.h"
#include "foundation/answers.h"
#include "fake_host.h"

// A fresh preferences store in a temporary folder, the fake host, and a user who answers from
// a script; installed for the life of the object.
struct ExportWorld {
    ExportWorld();
    ~ExportWorld();
    std::string folder; // temporary, removed afterwards
    FakeHost host;
    std::vector<std::string> messages; // "key|detail" of every box shown
    std::vector<Answer> answers;       // to the Yes/No questions in turn; Yes when none is left
    // The export dialog: makes the user's choice in the request and gives the path chosen;
    // null or an empty path: cancelled.
    std::function<std::string(ExportRequest&)> dialog;
    std::string progressTitle;                        // of the last progress dialog shown
    std::vector<std::string> progressTexts;           // the progress line of every page, in turn
    ProgressEnd progressEnd = ProgressEnd::Cancelled; // how the last run ended
    std::vector<std::string> opened;                  // files shown after an export
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
