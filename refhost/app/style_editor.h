#pragma once
// The host's output style editor: a modal dialog for a style's name, bleed and spreads switch
// that hosts the panes plug-ins add (message 728, then the pane messages).
//
// Control ids, for scripts: 101 name, 102 bleed (points), 103 export spreads, 104 the type
// (read-only), 1001 OK, 1002 Cancel; the dialog also answers IDOK and IDCANCEL. Pane
// controls keep the ids of their plug-in's template. The test scripts read the ids below by
// name (tools/lib.sh, kx_ids), so they stay one `constexpr int kNameId = N, ...;` a line.
#include "kxh_api.h"
#include "model/output_style.h"

#include <windows.h>

struct KxhPaneRec;
struct KxhEditorRec;

namespace refhost {

constexpr int kStyleNameId = 101, kStyleBleedId = 102, kStyleSpreadsId = 103, kStyleTypeId = 104;
constexpr int kStyleOkId = 1001, kStyleCancelId = 1002;
extern const wchar_t* const kStyleEditorTitle;

// true when confirmed.
bool runStyleEditor(HWND parent, OutputStyle& style);

// Style table operations that belong to the editor.
int32_t KXH_CALL styleOpenEditor(void* parent, KxhStyle style);
int32_t KXH_CALL styleAddPane(KxhEditor editor, uint32_t paneMessage, const char* title);
void fillPaneTable(KxhPaneTable& table);

// Copies a UTF-8 text into a caller buffer: KXH_OK, or KXH_TRUNCATED when it was cut (at a
// character boundary, always terminated); KXH_ERR_PARAM for no buffer.
int32_t copyText(const std::string& text, char* buf, uint32_t bufSize);

} // namespace refhost
