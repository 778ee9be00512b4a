#include "plugins/sound_watch.h"

#include <atomic>

namespace refhost {

namespace {

using MessageBeepFn = BOOL(WINAPI*)(UINT);

std::atomic<int> gSounds{0};
MessageBeepFn gMessageBeep = nullptr;

BOOL WINAPI countedMessageBeep(UINT type) {
    ++gSounds;
    return gMessageBeep ? gMessageBeep(type) : TRUE;
}

// Every import slot of the module that holds `from` (whatever name the module imported it by).
void redirectImports(HMODULE module, ULONG_PTR from, ULONG_PTR to) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return;
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return;
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name; ++library) {
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
             slot->u1.Function; ++slot) {
            if (slot->u1.Function != from) continue;
            DWORD old = 0;
            if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old))
                continue;
            slot->u1.Function = to;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
        }
    }
}

} // namespace

void watchSystemSounds(HMODULE module) {
    if (!gMessageBeep) {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        gMessageBeep = user32 ? reinterpret_cast<MessageBeepFn>(
                                    reinterpret_cast<void*>(GetProcAddress(user32, "MessageBeep")))
                              : nullptr;
    }
    if (!gMessageBeep || !module) return;
    redirectImports(module, reinterpret_cast<ULONG_PTR>(gMessageBeep),
                    reinterpret_cast<ULONG_PTR>(&countedMessageBeep));
}

int takeSystemSoundCount() {
    return gSounds.exchange(0);
}

} // namespace refhost
