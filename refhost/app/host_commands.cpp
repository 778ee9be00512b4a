// The script's host commands. They run on the user-interface thread, one at a time, like the
// user's own actions; a command that opens a dialog returns when the dialog has closed.
#include "app/host_app.h"

#include "app/host_menus.h"
#include "app/wide_text.h"
#include "model/fourcc.h"
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

} // namespace

bool resolvePageText(Layout& layout, const std::string& text, int& page) {
    if (parseNumber(text, page)) return page >= 1 && page <= layout.pageCount;
    page = pageFromName(layout, text);
    return page >= 1;
}

std::string CMyHostApp::scriptCommand(const std::vector<std::string>& words) {
    const std::string& name = words[0];
    Document* doc = frontDocument();
    Layout* layout = frontLayout();

    if (name == "open" || name == "open-untitled")
        return openProject(words[1], name == "open-untitled");
    if (name == "lang") {
        int code = 0;
        if (!parseLanguage(words[1], code))
            return "lang: takes en, de or a number, not \"" + words[1] + "\"";
        setLanguage(code);
        return {};
    }
    if (name == "dump-menu") {
        menusAboutToShow();
        for (HMENU menu : allPluginMenus())
            for (const auto& entry : menuEntries(menu))
                printOut(entry.title == "-" ? "-\n"
                                            : entry.title + "\t" +
                                                  (entry.enabled ? "enabled" : "disabled") + "\n");
        return {};
    }
    if (name == "menu") {
        menusAboutToShow();
        std::vector<MenuEntry> entries;
        for (HMENU menu : allPluginMenus())
            collectCommands(menu, entries);
        return chooseEntry(*this, entries, words[1], "menu");
    }
    if (name == "context") {
        HMENU menu = buildContextMenu();
        std::vector<MenuEntry> entries;
        collectCommands(menu, entries);
        DestroyMenu(menu);
        if (words.size() > 1) return chooseEntry(*this, entries, words[1], "context menu");
        for (const auto& entry : entries)
            printOut(entry.title + "\n");
        return {};
    }
    if (name == "key") {
        std::wstring key = widen(words[1]);
        if (key.size() != 1) return "key: \"" + words[1] + "\" is not one character";
        KxhEventRec event;
        event.kind = KXH_EVENT_KEY_DOWN;
        event.character = int32_t(towupper(key[0]));
        for (size_t i = 2; i < words.size(); ++i)
            if (!applyModifierName(event, words[i].c_str()))
                return "key: unknown modifier \"" + words[i] + "\"";
        keyEvent(event);
        return {};
    }
    if (name == "dump-clipboard") {
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
    if (name == "expect-beeps") {
        int expected = 0;
        if (!parseNumber(words[1], expected))
            return "expect-beeps: takes a count, not \"" + words[1] + "\"";
        int found = takeSystemSoundCount();
        if (found != expected)
            return "expect-beeps: expected " + words[1] + " system sounds, found " +
                   std::to_string(found);
        return {};
    }
    if (name == "style-editor") {
        OutputStyle* style = findStyle(hostSettings(), words[1]);
        if (!style) return "no output style \"" + words[1] + "\"";
        editStyle(mainWindow_, *style);
        return {};
    }

    // Everything below works on the frontmost project.
    if (!doc) return name + ": no project is open";
    if (name == "close") return closeDocument(*doc);
    if (name == "save") {
        if (doc->path.empty()) return "save: the project has never been saved (use save-as)";
        return saveProject(*doc, doc->path);
    }
    if (name == "save-as") return saveProject(*doc, words[1]);
    if (name == "save-copy") return saveProjectCopy(*doc, words[1]);
    if (name == "expect-changed") {
        if (words[1] != "yes" && words[1] != "no")
            return "expect-changed: takes yes or no, not \"" + words[1] + "\"";
        const char* found = doc->changed ? "yes" : "no";
        if (words[1] != found)
            return "expect-changed: " + doc->name + ": expected " + words[1] + ", found " + found;
        return {};
    }
    if (name == "layout") {
        for (size_t i = 0; i < doc->layouts.size(); ++i) {
            if (doc->layouts[i]->name == words[1]) {
                doc->currentLayout = int(i);
                refresh();
                return {};
            }
        }
        return "no layout \"" + words[1] + "\" in " + doc->name;
    }
    if (name == "dump-data") {
        uint32_t owner = 0;
        if (!fourCCFromName(words[2], owner))
            return "dump-data: \"" + words[2] + "\" is not a four-character owner";
        const DataBlocks* blocks = nullptr;
        if (words[1] == "document")
            blocks = &doc->data;
        else if (words[1] == "layout" && layout)
            blocks = &layout->data;
        else if (words[1] != "layout")
            return "dump-data: takes document or layout, not \"" + words[1] + "\"";
        if (!blocks) return "dump-data: no layout is open";
        auto it = blocks->find(owner);
        if (it != blocks->end()) printOut(std::string(it->second.begin(), it->second.end()) + "\n");
        return {};
    }
    if (!layout) return name + ": no layout is open";
    if (name == "page") {
        int page = 0;
        if (!parseNumber(words[1], page) || page < 1 || page > layout->pageCount)
            return "page: no page " + words[1] + " (the layout has " +
                   std::to_string(layout->pageCount) + ")";
        layout->currentPage = page;
        refresh();
        return {};
    }
    if (name == "select") {
        if (words[1] == "none") {
            layout->selected = nullptr;
        } else {
            Item* item = findItemByName(*layout, words[1]);
            if (!item) return "select: no item \"" + words[1] + "\"";
            layout->selected = item;
            layout->currentPage = item->page;
        }
        refresh();
        return {};
    }
    if (name == "expect-selected") {
        const Item* item = layout->selected;
        std::string found = item ? "\"" + item->name + "\"" : "none";
        if (words[1] == "none") return item ? "expect-selected: expected none, found " + found : "";
        if (!item || item->name != words[1])
            return "expect-selected: expected \"" + words[1] + "\", found " + found;
        if (layout->currentPage != item->page)
            return "expect-selected: page " + std::to_string(item->page) + " is not shown";
        return {};
    }
    if (name == "print") {
        int first = 0, last = 0;
        if (words.size() > 3 && !resolvePageText(*layout, words[3], first))
            return "print: no page \"" + words[3] + "\"";
        last = first;
        if (words.size() > 4 && !resolvePageText(*layout, words[4], last))
            return "print: no page \"" + words[4] + "\"";
        return printLayout(words[1], words[2], first, last);
    }
    return "unknown command \"" + name + "\"";
}

} // namespace refhost
