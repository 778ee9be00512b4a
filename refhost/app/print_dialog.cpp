#include "app/print_dialog.h"

#include "app/dialog_template.h"
#include "model/output_style.h"
#include "model/wide_text.h"

namespace refhost {

namespace {

const int kOkId = 1001, kCancelId = 1002;

std::wstring itemText(HWND dialog, int id) {
    wchar_t buf[256] = {};
    GetDlgItemTextW(dialog, id, buf, 256);
    return buf;
}

INT_PTR CALLBACK printProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* choice = reinterpret_cast<PrintChoice*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        HWND list = GetDlgItem(dialog, kPrintStyleId);
        for (const auto& style : hostSettings().styles)
            SendMessageW(list, CB_ADDSTRING, 0, LPARAM(widen(style->name).c_str()));
        SendMessageW(list, CB_SETCURSEL, 0, 0);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDOK:
        case kOkId:
            choice->style = narrow(itemText(dialog, kPrintStyleId));
            choice->from = narrow(itemText(dialog, kPrintFromId));
            choice->to = narrow(itemText(dialog, kPrintToId));
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
        case kCancelId:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

bool runPrintDialog(HWND parent, PrintChoice& choice) {
    CMyDialogTemplate dlg(L"Print", 200, 80);
    dlg.add(CMyDialogTemplate::kStatic, 0xFFFF, L"Output style:", 7, 9, 50, 8, SS_LEFT);
    dlg.add(0x0085, kPrintStyleId, L"", 60, 7, 133, 120,
            CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    dlg.add(CMyDialogTemplate::kStatic, 0xFFFF, L"Pages:", 7, 27, 50, 8, SS_LEFT);
    dlg.add(CMyDialogTemplate::kEdit, kPrintFromId, L"", 60, 25, 40, 12,
            WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    dlg.add(CMyDialogTemplate::kStatic, 0xFFFF, L"to", 105, 27, 12, 8, SS_LEFT);
    dlg.add(CMyDialogTemplate::kEdit, kPrintToId, L"", 120, 25, 40, 12,
            WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    dlg.add(CMyDialogTemplate::kButton, kOkId, L"OK", 88, 58, 50, 14,
            BS_DEFPUSHBUTTON | WS_TABSTOP);
    dlg.add(CMyDialogTemplate::kButton, kCancelId, L"Cancel", 143, 58, 50, 14,
            BS_PUSHBUTTON | WS_TABSTOP);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dlg.data(), parent, printProc,
                                   LPARAM(&choice)) == 1;
}

} // namespace refhost
