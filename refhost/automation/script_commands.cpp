// The script's commands: their names and argument counts, and a handler for each command that
// drives a dialog. Host commands are run by the application (see HostCommandRunner).
#include "automation/script_runner.h"

#include "automation/dialog_driver.h"
#include "automation/screenshot.h"
#include "model/wide_text.h"

#include <cstdio>
#include <cstdlib>

namespace refhost {

namespace {

bool parseControlId(const std::string& text, int& id) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    id = std::atoi(text.c_str());
    return id <= 0xFFFF;
}

bool parseOnOff(const std::string& text, bool& on) {
    if (text == "on" || text == "off") {
        on = text == "on";
        return true;
    }
    return false;
}

double secondsSince(ULONGLONG start) {
    return double(GetTickCount64() - start) / 1000.0;
}

std::string quoted(const std::wstring& text) {
    return "\"" + narrow(text) + "\"";
}

} // namespace

struct CMyScriptRunner::DialogCommands {
    static DialogScope scope(const CMyScriptRunner& runner) {
        return {runner.uiThread_, runner.mainWindow_};
    }

    static bool waitDialog(CMyScriptRunner& runner, const DialogStep& step) {
        const auto& words = step.words;
        double seconds = 10;
        if (words.size() > 2) {
            char* end = nullptr;
            seconds = std::strtod(words[2].c_str(), &end);
            if (!end || *end || seconds < 0)
                return step.fail("wait-dialog: \"" + words[2] + "\" is not a number of seconds");
        }
        std::wstring title = widen(words[1]);
        ULONGLONG start = GetTickCount64();
        while (!findDialogByTitle(scope(runner), title)) {
            if (secondsSince(start) > seconds)
                return step.fail("no dialog \"" + words[1] + "\" within " +
                                 (words.size() > 2 ? words[2] : std::string("10")) + " seconds");
            Sleep(50);
        }
        // Let the dialog finish its initialisation before the next line touches it.
        runner.settle();
        return true;
    }

    static bool screenshot(CMyScriptRunner& runner, const DialogStep& step) {
        const auto& words = step.words;
        if (words.size() > 2 && words[2] != "frame")
            return step.fail("screenshot: takes \"frame\" after the path, not \"" + words[2] +
                             "\"");
        runner.settle();
        HWND target = findTopDialog(scope(runner));
        // A running command may be about to show its dialog.
        for (int i = 0; !target && runner.pendingBusy() && i < 40; ++i) {
            Sleep(50);
            target = findTopDialog(scope(runner));
        }
        if (!target) target = runner.mainWindow_;
        runner.settle(target);
        std::string err = saveWindowPng(target, widen(words[1]), words.size() > 2);
        return err.empty() ? true : step.fail("screenshot: " + err);
    }

    static bool press(CMyScriptRunner& runner, const DialogStep& step, int button) {
        HWND dialog = nullptr;
        if (!runner.acquireDialog([](HWND) { return true; }, "", dialog, step.failure, step.line))
            return false;
        postDialogCommand(dialog, button);
        runner.settle();
        return true;
    }
    static bool ok(CMyScriptRunner& runner, const DialogStep& step) {
        return press(runner, step, IDOK);
    }
    static bool cancel(CMyScriptRunner& runner, const DialogStep& step) {
        return press(runner, step, IDCANCEL);
    }

    static bool acquireMessageBox(CMyScriptRunner& runner, const DialogStep& step, HWND& box) {
        return runner.acquireDialog([](HWND d) { return findMessageText(d) != nullptr; },
                                    "no message box", box, step.failure, step.line);
    }

    static bool answer(CMyScriptRunner& runner, const DialogStep& step) {
        const std::string& choice = step.words[1];
        int button = 0;
        if (choice == "yes" || choice == "ok")
            button = 1;
        else if (choice == "no")
            button = 2;
        else
            return step.fail("answer: takes yes, no or ok, not \"" + choice + "\"");
        HWND dialog = nullptr;
        if (!acquireMessageBox(runner, step, dialog)) return false;
        // The plug-in's box answers with buttons 1 and 2; the system's with IDYES and IDNO.
        bool systemBox = findControl(dialog, kPluginMessageTextId) == nullptr;
        int id = button;
        if (systemBox && choice == "yes")
            id = IDYES;
        else if (systemBox && choice == "no")
            id = IDNO;
        HWND control = findControl(dialog, id);
        if (!control || !IsWindowVisible(control))
            return step.fail("answer: the message box has no " + choice + " button");
        postDialogCommand(dialog, id);
        runner.settle();
        return true;
    }

    static bool expectMessage(CMyScriptRunner& runner, const DialogStep& step) {
        HWND dialog = nullptr;
        if (!acquireMessageBox(runner, step, dialog)) return false;
        std::wstring text = windowText(findMessageText(dialog));
        std::wstring mainText = text.substr(0, text.find(L"\r\r"));
        std::wstring expected = widen(step.words[1]);
        if (text != expected && mainText != expected)
            return step.fail("expect-message: expected \"" + step.words[1] + "\", found " +
                             quoted(text));
        return true;
    }

    static bool fileName(CMyScriptRunner& runner, const DialogStep& step) {
        HWND dialog = nullptr;
        if (!runner.acquireDialog([](HWND d) { return findFileNameField(d) != nullptr; },
                                  "no file name field", dialog, step.failure, step.line))
            return false;
        HWND control = findFileNameField(dialog);
        std::string err = setFileName(dialog, control, widen(step.words[1]));
        return err.empty() ? true : step.fail("file-name: " + err);
    }

    // The control the line names (its first argument), in the dialog that has it; `on`, when
    // given, receives the line's on or off (its second argument).
    static bool acquireControl(CMyScriptRunner& runner, const DialogStep& step, HWND& control,
                               bool* on = nullptr) {
        const auto& words = step.words;
        int id = 0;
        if (!parseControlId(words[1], id))
            return step.fail(words[0] + ": \"" + words[1] + "\" is not a control id");
        if (on && !parseOnOff(words[2], *on))
            return step.fail(words[0] + ": takes on or off, not \"" + words[2] + "\"");
        HWND dialog = nullptr;
        if (!runner.acquireDialog([id](HWND d) { return findControl(d, id) != nullptr; },
                                  "no control " + words[1], dialog, step.failure, step.line))
            return false;
        control = findControl(dialog, id);
        return true;
    }

    // Ends a command that acted on a control: its failure, or a wait for the dialog to settle.
    static bool acted(CMyScriptRunner& runner, const DialogStep& step, const std::string& err) {
        if (!err.empty())
            return step.fail(step.words[0] + ": control " + step.words[1] + ": " + err);
        runner.settle();
        return true;
    }

    static bool set(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        if (!acquireControl(runner, step, control)) return false;
        return acted(runner, step, setControlText(control, widen(step.words[2])));
    }

    static bool type(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        if (!acquireControl(runner, step, control)) return false;
        return acted(runner, step, typeIntoControl(control, widen(step.words[2])));
    }

    static bool click(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        if (!acquireControl(runner, step, control)) return false;
        return acted(runner, step, clickControl(control));
    }

    static bool check(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        bool on = false;
        if (!acquireControl(runner, step, control, &on)) return false;
        return acted(runner, step, checkControl(control, on));
    }

    static bool choose(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        if (!acquireControl(runner, step, control)) return false;
        return acted(runner, step, chooseItem(control, widen(step.words[2])));
    }

    static bool expectText(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        if (!acquireControl(runner, step, control)) return false;
        std::wstring text = windowText(control);
        if (text != widen(step.words[2]))
            return step.fail("expect-text: control " + step.words[1] + ": expected \"" +
                             step.words[2] + "\", found " + quoted(text));
        return true;
    }

    static bool dumpText(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        if (!acquireControl(runner, step, control)) return false;
        std::string text = narrow(windowText(control)) + "\n";
        fwrite(text.data(), 1, text.size(), stdout);
        fflush(stdout);
        return true;
    }

    static bool expectChecked(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        bool on = false;
        if (!acquireControl(runner, step, control, &on)) return false;
        bool checked = false;
        std::string err = readCheck(control, checked);
        if (err.empty() && checked != on)
            return step.fail("expect-checked: control " + step.words[1] + ": expected " +
                             step.words[2] + ", found " + (checked ? "on" : "off"));
        return acted(runner, step, err);
    }

    static bool expectEnabled(CMyScriptRunner& runner, const DialogStep& step) {
        HWND control = nullptr;
        bool on = false;
        if (!acquireControl(runner, step, control, &on)) return false;
        bool enabled = IsWindowEnabled(control) != 0;
        if (enabled != on)
            return step.fail("expect-enabled: control " + step.words[1] + ": expected " +
                             step.words[2] + ", found " + (enabled ? "on" : "off"));
        return acted(runner, step, {});
    }
};

namespace {

using Commands = CMyScriptRunner::DialogCommands;

const ScriptCommandInfo kCommands[] = {
    {"open", 1, 1, nullptr},
    {"open-untitled", 1, 1, nullptr},
    {"close", 0, 0, nullptr},
    {"save", 0, 0, nullptr},
    {"save-as", 1, 1, nullptr},
    {"layout", 1, 1, nullptr},
    {"page", 1, 1, nullptr},
    {"select", 1, 1, nullptr},
    {"menu", 1, 1, nullptr},
    {"dump-menu", 0, 0, nullptr},
    {"context", 0, 1, nullptr},
    {"key", 1, -1, nullptr},
    {"print", 2, 4, nullptr},
    {"style-editor", 1, 1, nullptr},
    {"dump-clipboard", 0, 0, nullptr},
    {"dump-data", 2, 2, nullptr},
    {"expect-changed", 1, 1, nullptr},
    {"save-copy", 1, 1, nullptr},
    {"expect-beeps", 1, 1, nullptr},
    {"expect-selected", 1, 1, nullptr},
    {"lang", 1, 1, nullptr},
    {"quit", 0, 0, nullptr},
    {"wait-dialog", 1, 2, Commands::waitDialog},
    {"set", 2, 2, Commands::set},
    {"type", 2, 2, Commands::type},
    {"check", 2, 2, Commands::check},
    {"click", 1, 1, Commands::click},
    {"choose", 2, 2, Commands::choose},
    {"file-name", 1, 1, Commands::fileName},
    {"ok", 0, 0, Commands::ok},
    {"cancel", 0, 0, Commands::cancel},
    {"answer", 1, 1, Commands::answer},
    {"expect-text", 2, 2, Commands::expectText},
    {"dump-text", 1, 1, Commands::dumpText},
    {"expect-message", 1, 1, Commands::expectMessage},
    {"expect-checked", 2, 2, Commands::expectChecked},
    {"expect-enabled", 2, 2, Commands::expectEnabled},
    {"screenshot", 1, 2, Commands::screenshot},
};

} // namespace

const ScriptCommandInfo* findScriptCommand(const std::string& name) {
    for (const auto& info : kCommands)
        if (name == info.name) return &info;
    return nullptr;
}

} // namespace refhost
