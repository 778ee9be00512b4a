#include "foundation/module.h"

static void* gResourceModule = nullptr;

void setResourceModule(void* module) {
    gResourceModule = module;
}

void* resourceModule() {
    return gResourceModule;
}
