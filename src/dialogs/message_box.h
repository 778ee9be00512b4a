#pragma once
#include <cstdint>

#include "resources/dialog_ids.h"

// The plug-in's own message box: a string key (or a literal printf format) with arguments,
// looked up in the interface language, an optional detail line, one or two buttons. The format
// is usually a key, so the compiler cannot check the arguments against it.

// One "OK" button.
void showMessage(const char* format, ...);
// "Yes" answers 1, "No" or closing the box answers 2.
int16_t askYesNo(const char* format, ...);
// The detail line of the next box only.
void setMessageDetail(const char* format, ...);

constexpr int kMessageTextId = IDC_MSGBOX_TEXT;
