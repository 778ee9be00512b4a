// Window placement on the real (virtual) screen.
#include "foundation/desktop.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(CentreWindow, HorizontallyCentredAndAQuarterDown) {
    const int sizes[][2] = {{300, 200}, {301, 199}, {1000, 900}};
    for (const auto& size : sizes) {
        HWND window = CreateWindowExW(0, L"STATIC", L"centre", WS_POPUP, 7, 9, size[0], size[1],
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, window);
        centreWindow(window);
        RECT frame;
        ASSERT_TRUE(GetWindowRect(window, &frame));
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        EXPECT_EQ((screenWidth - size[0]) / 2, frame.left) << size[0] << "x" << size[1];
        EXPECT_EQ((screenHeight - size[1]) / 4, frame.top) << size[0] << "x" << size[1];
        EXPECT_EQ(size[0], frame.right - frame.left) << "size kept";
        EXPECT_EQ(size[1], frame.bottom - frame.top) << "size kept";
        DestroyWindow(window);
    }
}

} // namespace
