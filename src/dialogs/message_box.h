#pragma once
#include <cstdint>

#include "foundation/answers.h"
#include "resources/dialog_ids.h"

// The plug-in's own message box: a string key (or a literal printf format) with arguments,
// looked up in the interface language, an optional detail line, one or two buttons. The format
// is usually a key, so the compiler cannot check the arguments against it.

// One "OK" button.
void showMessage(const char* format, ...);
// "Yes", or "No" for the No button, Escape and the close box alike.
[[nodiscard]] Answer askYesNo(const char* format, ...);
// The detail line of the next box only.
void setMessageDetail(const char* format, ...);

constexpr int kMessageTextId = IDC_MSGBOX_TEXT;
