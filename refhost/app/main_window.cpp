// The main window: menu bar, the current page of the frontmost layout, mouse selection, keys.
#include "app/host_app.h"

#include "app/host_menus.h"
#include "app/print_dialog.h"
#include "automation/script_runner.h"
#include "model/text_layout.h"
#include "model/wide_text.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

namespace refhost {

namespace {

const wchar_t kWindowClass[] = L"LayoutHostMain";

enum HostCommand : UINT {
    kCmdOpen = 100,
    kCmdSave,
    kCmdSaveAs,
    kCmdClose,
    kCmdExit,
    kCmdPrint,
    kCmdPreviousPage = 110,
    kCmdNextPage,
    kCmdSelectNone,
    kCmdFirstStyle = 200, // one per output style in the Styles menu
    kCmdLastStyle = 399,
};

LRESULT CALLBACK mainWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    return CMyHostApp::instance().windowProc(window, msg, wp, lp);
}

const wchar_t kProjectFilter[] = L"Projects (*.lyt)\0*.lyt\0All files\0*.*\0";

std::wstring fileDialog(HWND owner, bool save, const std::string& proposed,
                        const wchar_t* filter = kProjectFilter, const wchar_t* extension = L"lyt") {
    wchar_t path[2048] = {};
    std::wstring initial = widen(proposed);
    wcsncpy(path, initial.c_str(), 2047);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = 2048;
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    return ok ? std::wstring(path) : std::wstring();
}

// Top-level items of a page and, inside groups, their members, in stacking order.
void collectItems(Item& item, int page, std::vector<Item*>& out) {
    if (item.type == ItemType::Group) {
        for (auto& member : item.members)
            collectItems(*member, page, out);
        return;
    }
    if (item.page == page) out.push_back(&item);
}

} // namespace

bool CMyHostApp::createMainWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = HBRUSH(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kWindowClass;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    RegisterClassW(&wc);

    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kCmdOpen, L"&Open…\tCtrl+O");
    AppendMenuW(file, MF_STRING, kCmdSave, L"&Save\tCtrl+S");
    AppendMenuW(file, MF_STRING, kCmdSaveAs, L"Save &As…");
    AppendMenuW(file, MF_STRING, kCmdClose, L"&Close");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kCmdPrint, L"&Print…");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kCmdExit, L"E&xit");
    AppendMenuW(bar, MF_POPUP, UINT_PTR(file), L"&File");
    HMENU view = CreatePopupMenu();
    AppendMenuW(view, MF_STRING, kCmdPreviousPage, L"&Previous Page\tPage Up");
    AppendMenuW(view, MF_STRING, kCmdNextPage, L"&Next Page\tPage Down");
    AppendMenuW(view, MF_STRING, kCmdSelectNone, L"Select &None");
    AppendMenuW(bar, MF_POPUP, UINT_PTR(view), L"&View");
    stylesMenu_ = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(stylesMenu_), L"&Output Styles");
    // Plug-ins hang their submenus here (message 6 names this menu).
    HMENU utilities = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(utilities), L"&Utilities");
    setHostMenu(kHostMenuUtilities, utilities);

    mainWindow_ =
        CreateWindowExW(0, kWindowClass, L"layouthost", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 900, 760, nullptr, bar, GetModuleHandleW(nullptr), nullptr);
    if (!mainWindow_) return false;
    ShowWindow(mainWindow_, SW_SHOW);
    UpdateWindow(mainWindow_);
    return true;
}

void CMyHostApp::refresh() {
    if (!mainWindow_) return;
    std::wstring title = L"layouthost";
    Document* doc = frontDocument();
    Layout* layout = frontLayout();
    if (doc && layout) {
        title += L" - " + widen(doc->name) + (doc->changed ? L"*" : L"") + L" - " +
                 widen(layout->name) + L" - " + widen(pageName(*layout, layout->currentPage));
    }
    SetWindowTextW(mainWindow_, title.c_str());
    InvalidateRect(mainWindow_, nullptr, TRUE);
}

void CMyHostApp::paint(HDC dc, const RECT& client) {
    Layout* layout = frontLayout();
    if (!layout) return;
    const double margin = 20;
    double cw = client.right - margin * 2, ch = client.bottom - margin * 2;
    if (cw <= 0 || ch <= 0) return;
    viewScale_ = std::min(cw / layout->pageWidth, ch / layout->pageHeight);
    viewLeft_ = margin + (cw - layout->pageWidth * viewScale_) / 2;
    viewTop_ = margin;
    auto px = [&](double x) { return int(viewLeft_ + x * viewScale_); };
    auto py = [&](double y) { return int(viewTop_ + y * viewScale_); };

    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, px(0), py(0), px(layout->pageWidth), py(layout->pageHeight));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    HFONT font = CreateFontW(-std::max(8, int(10 * viewScale_)), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    std::vector<Item*> items;
    for (auto& item : layout->items)
        collectItems(*item, layout->currentPage, items);
    for (Item* item : items) {
        bool selected =
            item == layout->selected || (layout->selected && item->parent == layout->selected);
        HPEN pen =
            CreatePen(PS_SOLID, selected ? 2 : 1, selected ? RGB(200, 0, 0) : RGB(80, 80, 160));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        RECT r = {px(item->bounds.left), py(item->bounds.top), px(item->bounds.right),
                  py(item->bounds.bottom)};
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
        std::wstring label = item->type == ItemType::Text
                                 ? std::wstring(item->text.begin(), item->text.end())
                                 : widen(item->name);
        InflateRect(&r, -2, -2);
        SetTextColor(dc, textOverflows(*item) ? RGB(200, 0, 0) : RGB(0, 0, 0));
        DrawTextW(dc, label.c_str(), int(label.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBrush);
}

void CMyHostApp::selectAt(int x, int y) {
    Layout* layout = frontLayout();
    if (!layout || viewScale_ <= 0) return;
    double px = (x - viewLeft_) / viewScale_, py = (y - viewTop_) / viewScale_;
    Item* hit = nullptr;
    for (auto& item : layout->items) {
        std::vector<Item*> parts;
        collectItems(*item, layout->currentPage, parts);
        for (Item* part : parts)
            if (px >= part->bounds.left && px <= part->bounds.right && py >= part->bounds.top &&
                py <= part->bounds.bottom)
                hit = item.get(); // the topmost top-level item wins; a group as a whole
    }
    layout->selected = hit;
    refresh();
}

void CMyHostApp::onHostCommand(UINT id) {
    Document* doc = frontDocument();
    Layout* layout = frontLayout();
    std::string error;
    switch (id) {
    case kCmdOpen: {
        std::wstring path = fileDialog(mainWindow_, false, "");
        if (!path.empty()) error = openProject(narrow(path), false);
        break;
    }
    case kCmdSave:
    case kCmdSaveAs:
        if (!doc) break;
        if (id == kCmdSave && !doc->path.empty()) {
            error = saveProject(*doc, doc->path);
        } else {
            std::wstring path = fileDialog(mainWindow_, true, doc->path);
            if (!path.empty()) error = saveProject(*doc, narrow(path));
        }
        break;
    case kCmdClose:
        if (doc) error = closeDocument(*doc);
        break;
    case kCmdExit:
        DestroyWindow(mainWindow_);
        break;
    case kCmdPrint: {
        PrintChoice choice;
        if (!layout || !doc || !runPrintDialog(mainWindow_, choice)) break;
        OutputStyle* style = findStyle(hostSettings(), choice.style);
        bool eps = style && style->type == kTypeEps, pdf = style && style->type == kTypePdf;
        const wchar_t* filter = eps   ? L"EPS (*.eps)\0*.eps\0"
                                : pdf ? L"PDF (*.pdf)\0*.pdf\0"
                                      : L"PostScript (*.ps)\0*.ps\0";
        std::string base = doc->name.substr(0, doc->name.rfind('.'));
        std::wstring path = fileDialog(mainWindow_, true, base, filter,
                                       eps   ? L"eps"
                                       : pdf ? L"pdf"
                                             : L"ps");
        if (path.empty()) break;
        int first = 0, last = 0;
        if (!choice.from.empty() && !resolvePageText(*layout, choice.from, first)) {
            error = "no page \"" + choice.from + "\"";
            break;
        }
        last = first;
        if (!choice.to.empty() && !resolvePageText(*layout, choice.to, last)) {
            error = "no page \"" + choice.to + "\"";
            break;
        }
        error = printLayout(choice.style, narrow(path), first, last);
        break;
    }
    case kCmdPreviousPage:
    case kCmdNextPage:
        if (layout) {
            int page = layout->currentPage + (id == kCmdNextPage ? 1 : -1);
            layout->currentPage = std::max(1, std::min(layout->pageCount, page));
        }
        break;
    case kCmdSelectNone:
        if (layout) layout->selected = nullptr;
        break;
    default:
        if (id >= kCmdFirstStyle && id <= kCmdLastStyle) {
            auto& styles = hostSettings().styles;
            size_t index = id - kCmdFirstStyle;
            if (index < styles.size()) editStyle(mainWindow_, *styles[index]);
        }
        break;
    }
    if (!error.empty()) reportError(error);
}

LRESULT CMyHostApp::windowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (runner_ && runner_->handleMainWindowMessage(msg, wp, lp)) return 0;
    switch (msg) {
    case kMsgScriptEnd:
        exitCode_ = int(wp);
        DestroyWindow(window);
        return 0;
    case WM_INITMENU:
        menusAboutToShow();
        return 0;
    case WM_INITMENUPOPUP:
        if (HMENU(wp) == stylesMenu_) {
            while (GetMenuItemCount(stylesMenu_) > 0)
                DeleteMenu(stylesMenu_, 0, MF_BYPOSITION);
            auto& styles = hostSettings().styles;
            for (size_t i = 0; i < styles.size() && kCmdFirstStyle + i <= kCmdLastStyle; ++i)
                AppendMenuW(stylesMenu_, MF_STRING, kCmdFirstStyle + i,
                            widen(styles[i]->name + "…").c_str());
        }
        return 0;
    case WM_COMMAND:
        if (lp == 0) {
            runCommand(LOWORD(wp));
            return 0;
        }
        break;
    case WM_CONTEXTMENU: {
        POINT at = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (at.x == -1 && at.y == -1) {
            at = {40, 40};
            ClientToScreen(window, &at);
        }
        HMENU menu = buildContextMenu();
        UINT id = UINT(
            TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
        DestroyMenu(menu);
        if (id) runCommand(id);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        selectAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (wp == VK_SHIFT || wp == VK_CONTROL || wp == VK_MENU) break;
        KxhEventRec event;
        event.kind = KXH_EVENT_KEY_DOWN;
        event.character = int32_t(wp); // letters and digits: their upper-case character
        event.ctrl = GetKeyState(VK_CONTROL) < 0;
        event.shift = GetKeyState(VK_SHIFT) < 0;
        event.rightShift = GetKeyState(VK_RSHIFT) < 0;
        event.alt = GetKeyState(VK_MENU) < 0;
        if (keyEvent(event)) return 0;
        if (wp == VK_PRIOR || wp == VK_NEXT) {
            runCommand(wp == VK_NEXT ? kCmdNextPage : kCmdPreviousPage);
            return 0;
        }
        if (event.ctrl && !event.alt && (wp == 'O' || wp == 'S')) {
            runCommand(wp == 'O' ? kCmdOpen : kCmdSave);
            return 0;
        }
        break;
    }
    case WM_TIMER:
        // Not while a command runs its own dialogs: they pump this timer too.
        if (wp == 1 && busy_ == 0) periodic();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        paint(dc, client);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, 1);
        PostQuitMessage(exitCode_);
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

} // namespace refhost
