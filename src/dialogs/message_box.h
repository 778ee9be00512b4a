#pragma once
#include <cstdint>

// The plug-in's own message box: a string key (or a literal printf format) with arguments,
// looked up in the interface language, an optional detail line, one or two buttons.

// One "OK" button.
void showMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
// "Yes" answers 1, "No" or closing the box answers 2.
int16_t askYesNo(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The detail line of the next box only.
void setMessageDetail(const char* format, ...) __attribute__((format(printf, 1, 2)));

constexpr int kMessageTextId = 10;
