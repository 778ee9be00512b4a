// A minimal host for the real Kestrix.dll: it serves activation, the entry block, the table
// requests and the services, and records every call in order. Each test loads the library
// afresh, so its global state starts from zero.
#pragma once
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "kxh_api.h"

struct FakeRegistration {
    uint32_t message;
    KxhHandler handler;
    uint32_t kind;
    uint32_t order;
    uintptr_t reserved;
};

struct FakePluginHost {
    // Set by the test before activation.
    uint32_t confirmAnswer = 1;
    uint32_t failingTable = 0; // a table code whose request the host refuses (0: none)
    std::set<uint32_t> services;

    // Recorded.
    std::vector<std::string> calls;
    std::vector<std::vector<uint64_t>> lists; // the identifier list of every list request
    std::vector<FakeRegistration> registrations;
    KxhMainCallback mainCallback = nullptr;
    KxhIdCallback idCallback = nullptr;
    uint32_t nextId = KXH_FIRST_PRIVATE_MESSAGE;
    // Menus the plug-in built: menu number -> item titles ("-" for a separator).
    std::vector<std::vector<std::string>> menus;
};

// The one fake host of the test process.
FakePluginHost& fakeHost();

// Loads the library named by KX_DLL; null when it cannot be loaded.
HMODULE loadPlugin();
KxhActivateFn activateFunction(HMODULE plugin);

// The host's blocks.
KxhActivationBlock fakeActivationBlock();
KxhEntryBlock* fakeEntryBlock();
KxhIdAllocBlock* fakeIdBlock();

// Activation, then the identifier callback and the main callback as the host runs them.
// Returns the main callback's result (or the activation's, when that failed).
int32_t activateAndStart(KxhActivateFn activate);

// "XPDF" for 0x46445058.
std::string fourcc(uint32_t code);
