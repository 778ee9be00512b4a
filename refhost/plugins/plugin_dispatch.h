#pragma once
// The host's road to the plug-ins: loading them and sending them messages.
#include "kxh_api.h"

#include <string>

namespace refhost {

// Loads and activates every plug-in DLL of the folder; a plug-in that refuses or fails stays
// inert and is reported on stderr. Returns how many plug-ins are running.
int loadPlugins(const std::string& folder);
// Hands the parameter block to every handler registered for params.message, in order.
void sendToPlugins(KxhParams& params);

template <typename Params> void sendMessage(uint32_t message, Params& params) {
    params.hdr.size = sizeof(Params);
    params.hdr.message = message;
    sendToPlugins(params.hdr);
}

} // namespace refhost
