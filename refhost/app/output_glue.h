#pragma once
// Connects the output pipeline's hooks to the plug-in messages. A KxhOutput handle is the
// running OutputJob.
#include "kxh_api.h"
#include "output/output.h"

namespace refhost {

void connectOutputHooks();
inline KxhOutput toOutputHandle(OutputJob* job) {
    return reinterpret_cast<KxhOutput>(job);
}
inline OutputJob* fromOutputHandle(KxhOutput output) {
    return reinterpret_cast<OutputJob*>(output);
}

} // namespace refhost
