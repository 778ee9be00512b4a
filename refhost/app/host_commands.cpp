// The script's host commands. They run on the user-interface thread, one at a time, like the
// user's own actions; a command that opens a dialog returns when the dialog has closed.
#include "app/host_app.h"

#include "app/host_menus.h"
#include "model/fourcc.h"
#include "model/wide_text.h"
#include "plugins/sound_watch.h"

#include <cstdio>
#include <cstdlib>

namespace refhost {

namespace {

void printOut(const std::string& text) {
    fwrite(text.data(), 1, text.size(), stdout);
    fflush(stdout);
}

bool parseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::atoi(text.c_str());
    return true;
}

// Every command item of the plug-ins' submenus, depth first.
void collectCommands(HMENU menu, std::vector<MenuEntry>& out) {
    for (const auto& entry : menuEntries(menu)) {
        if (entry.submenu)
            collectCommands(entry.submenu, out);
        else if (entry.title != "-")
            out.push_back(entry);
    }
}

std::vector<HMENU> allPluginMenus() {
    return pluginSubmenus(hostMenuHandle(kHostMenuUtilities));
}

std::string chooseEntry(CMyHostApp& app, const std::vector<MenuEntry>& entries,
                        const std::string& title, const char* what) {
    for (const auto& entry : entries) {
        if (entry.title != title) continue;
        if (!entry.enabled) return std::string(what) + " item \"" + title + "\" is disabled";
        app.runCommand(entry.id);
        return {};
    }
    return std::string("no ") + what + " item \"" + title + "\"";
}

// One host command line as its handler sees it; `doc` and `layout` are the frontmost, and a
// handler gets them when its entry asks for them.
struct HostStep {
    CMyHostApp& app;
    const std::vector<std::string>& words;
    Document* doc;
    Layout* layout;
};

std::string openProject(const HostStep& step) {
    return step.app.openProject(step.words[1], false);
}

std::string openUntitled(const HostStep& step) {
    return step.app.openProject(step.words[1], true);
}

std::string setLanguageCode(const HostStep& step) {
    int code = 0;
    if (!parseLanguage(step.words[1], code))
        return "lang: takes en, de or a number, not \"" + step.words[1] + "\"";
    step.app.setLanguage(code);
    return {};
}

std::string dumpMenu(const HostStep& step) {
    step.app.menusAboutToShow();
    for (HMENU menu : allPluginMenus())
        for (const auto& entry : menuEntries(menu))
            printOut(entry.title == "-"
                         ? "-\n"
                         : entry.title + "\t" + (entry.enabled ? "enabled" : "disabled") + "\n");
    return {};
}

std::string chooseMenuItem(const HostStep& step) {
    step.app.menusAboutToShow();
    std::vector<MenuEntry> entries;
    for (HMENU menu : allPluginMenus())
        collectCommands(menu, entries);
    return chooseEntry(step.app, entries, step.words[1], "menu");
}

std::string contextMenu(const HostStep& step) {
    HMENU menu = step.app.buildContextMenu();
    std::vector<MenuEntry> entries;
    collectCommands(menu, entries);
    DestroyMenu(menu);
    if (step.words.size() > 1) return chooseEntry(step.app, entries, step.words[1], "context menu");
    for (const auto& entry : entries)
        printOut(entry.title + "\n");
    return {};
}

std::string pressKey(const HostStep& step) {
    const auto& words = step.words;
    std::wstring key = widen(words[1]);
    if (key.size() != 1) return "key: \"" + words[1] + "\" is not one character";
    KxhEventRec event;
    event.kind = KXH_EVENT_KEY_DOWN;
    event.character = int32_t(towupper(key[0]));
    for (size_t i = 2; i < words.size(); ++i)
        if (!applyModifierName(event, words[i].c_str()))
            return "key: unknown modifier \"" + words[i] + "\"";
    step.app.keyEvent(event);
    return {};
}

std::string dumpClipboard(const HostStep&) {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = narrow(units);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    if (!text.empty()) printOut(text + "\n");
    return {};
}

std::string expectBeeps(const HostStep& step) {
    int expected = 0;
    if (!parseNumber(step.words[1], expected))
        return "expect-beeps: takes a count, not \"" + step.words[1] + "\"";
    int found = takeSystemSoundCount();
    if (found != expected)
        return "expect-beeps: expected " + step.words[1] + " system sounds, found " +
               std::to_string(found);
    return {};
}

std::string styleEditor(const HostStep& step) {
    OutputStyle* style = findStyle(hostSettings(), step.words[1]);
    if (!style) return "no output style \"" + step.words[1] + "\"";
    step.app.editStyle(step.app.mainWindow(), *style);
    return {};
}

std::string closeProject(const HostStep& step) {
    return step.app.closeDocument(*step.doc);
}

std::string save(const HostStep& step) {
    if (step.doc->path.empty()) return "save: the project has never been saved (use save-as)";
    return step.app.saveProject(*step.doc, step.doc->path);
}

std::string saveAs(const HostStep& step) {
    return step.app.saveProject(*step.doc, step.words[1]);
}

std::string saveCopy(const HostStep& step) {
    return step.app.saveProjectCopy(*step.doc, step.words[1]);
}

std::string expectChanged(const HostStep& step) {
    const std::string& expected = step.words[1];
    if (expected != "yes" && expected != "no")
        return "expect-changed: takes yes or no, not \"" + expected + "\"";
    const char* found = step.doc->changed ? "yes" : "no";
    if (expected != found)
        return "expect-changed: " + step.doc->name + ": expected " + expected + ", found " + found;
    return {};
}

std::string showLayout(const HostStep& step) {
    Document& doc = *step.doc;
    for (size_t i = 0; i < doc.layouts.size(); ++i) {
        if (doc.layouts[i]->name == step.words[1]) {
            doc.currentLayout = int(i);
            step.app.refresh();
            return {};
        }
    }
    return "no layout \"" + step.words[1] + "\" in " + doc.name;
}

std::string dumpData(const HostStep& step) {
    const auto& words = step.words;
    uint32_t owner = 0;
    if (!fourCCFromName(words[2], owner))
        return "dump-data: \"" + words[2] + "\" is not a four-character owner";
    const DataBlocks* blocks = nullptr;
    if (words[1] == "document")
        blocks = &step.doc->data;
    else if (words[1] == "layout" && step.layout)
        blocks = &step.layout->data;
    else if (words[1] != "layout")
        return "dump-data: takes document or layout, not \"" + words[1] + "\"";
    if (!blocks) return "dump-data: no layout is open";
    auto it = blocks->find(owner);
    if (it != blocks->end()) printOut(std::string(it->second.begin(), it->second.end()) + "\n");
    return {};
}

std::string showPage(const HostStep& step) {
    Layout& layout = *step.layout;
    int page = 0;
    if (!parseNumber(step.words[1], page) || page < 1 || page > layout.pageCount)
        return "page: no page " + step.words[1] + " (the layout has " +
               std::to_string(layout.pageCount) + ")";
    layout.currentPage = page;
    step.app.refresh();
    return {};
}

std::string selectItem(const HostStep& step) {
    Layout& layout = *step.layout;
    if (step.words[1] == "none") {
        layout.selected = nullptr;
    } else {
        Item* item = findItemByName(layout, step.words[1]);
        if (!item) return "select: no item \"" + step.words[1] + "\"";
        layout.selected = item;
        layout.currentPage = item->page;
    }
    step.app.refresh();
    return {};
}

std::string expectSelected(const HostStep& step) {
    const std::string& expected = step.words[1];
    const Item* item = step.layout->selected;
    std::string found = item ? "\"" + item->name + "\"" : "none";
    if (expected == "none") return item ? "expect-selected: expected none, found " + found : "";
    if (!item || item->name != expected)
        return "expect-selected: expected \"" + expected + "\", found " + found;
    if (step.layout->currentPage != item->page)
        return "expect-selected: page " + std::to_string(item->page) + " is not shown";
    return {};
}

std::string printPages(const HostStep& step) {
    const auto& words = step.words;
    int first = 0, last = 0;
    if (words.size() > 3 && !resolvePageText(*step.layout, words[3], first))
        return "print: no page \"" + words[3] + "\"";
    last = first;
    if (words.size() > 4 && !resolvePageText(*step.layout, words[4], last))
        return "print: no page \"" + words[4] + "\"";
    return step.app.printLayout(words[1], words[2], first, last);
}

// What a command works on; it fails by name when that is not open.
enum class Needs { nothing, project, layout };

struct HostCommand {
    const char* name;
    Needs needs;
    std::string (*run)(const HostStep& step);
};

// The script runner's table (script_commands.cpp) has the names and argument counts.
const HostCommand kHostCommands[] = {
    {"open", Needs::nothing, openProject},
    {"open-untitled", Needs::nothing, openUntitled},
    {"lang", Needs::nothing, setLanguageCode},
    {"dump-menu", Needs::nothing, dumpMenu},
    {"menu", Needs::nothing, chooseMenuItem},
    {"context", Needs::nothing, contextMenu},
    {"key", Needs::nothing, pressKey},
    {"dump-clipboard", Needs::nothing, dumpClipboard},
    {"expect-beeps", Needs::nothing, expectBeeps},
    {"style-editor", Needs::nothing, styleEditor},
    {"close", Needs::project, closeProject},
    {"save", Needs::project, save},
    {"save-as", Needs::project, saveAs},
    {"save-copy", Needs::project, saveCopy},
    {"expect-changed", Needs::project, expectChanged},
    {"layout", Needs::project, showLayout},
    {"dump-data", Needs::project, dumpData},
    {"page", Needs::layout, showPage},
    {"select", Needs::layout, selectItem},
    {"expect-selected", Needs::layout, expectSelected},
    {"print", Needs::layout, printPages},
};

} // namespace

bool resolvePageText(Layout& layout, const std::string& text, int& page) {
    if (parseNumber(text, page)) return page >= 1 && page <= layout.pageCount;
    page = pageFromName(layout, text);
    return page >= 1;
}

std::string CMyHostApp::scriptCommand(const std::vector<std::string>& words) {
    const std::string& name = words[0];
    for (const auto& command : kHostCommands) {
        if (name != command.name) continue;
        HostStep step{*this, words, frontDocument(), frontLayout()};
        if (command.needs != Needs::nothing && !step.doc) return name + ": no project is open";
        if (command.needs == Needs::layout && !step.layout) return name + ": no layout is open";
        return command.run(step);
    }
    return "unknown command \"" + name + "\"";
}

} // namespace refhost
