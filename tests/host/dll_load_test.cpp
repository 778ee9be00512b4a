// Loads the real Kestrix.dll as a host would and checks what it offers before activation.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::wstring dllPath() {
    const char* dir = getenv("KX_DLL");
    EXPECT_NE(dir, nullptr) << "KX_DLL names the library under test";
    std::string s = dir ? dir : "";
    return std::wstring(s.begin(), s.end());
}

TEST(DllLoad, EntryPointAndStringTablesArePresent) {
    HMODULE dll = LoadLibraryW(dllPath().c_str());
    ASSERT_NE(dll, nullptr) << "LoadLibrary failed with " << GetLastError();
    EXPECT_NE(GetProcAddress(dll, "XTActivateCallback"), nullptr);
    for (const wchar_t* name : {L"MYSTRINGS_E", L"MYSTRINGS_D", L"mystrings_e"}) {
        EXPECT_NE(FindResourceW(dll, name, L"xml"), nullptr) << "resource not found";
    }
    EXPECT_EQ(FindResourceW(dll, L"MYSTRINGS", L"XML"), nullptr);
    FreeLibrary(dll);
}

} // namespace
