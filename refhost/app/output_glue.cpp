#include "app/output_glue.h"

#include "plugins/plugin_dispatch.h"

namespace refhost {

namespace {

void dispatchHook(void*, OutputHookCall& call) {
    KxhOutput output = toOutputHandle(call.job);
    switch (call.hook) {
    case OutputHook::Setup: {
        KxhOutputSetupParams params = {};
        params.output = output;
        sendMessage(KXH_MSG_OUTPUT_SETUP, params);
        break;
    }
    case OutputHook::Start: {
        KxhOutputStartParams params = {};
        params.output = output;
        sendMessage(KXH_MSG_OUTPUT_START, params);
        call.abort = params.abort != 0;
        break;
    }
    case OutputHook::Announce: {
        KxhLayoutOutputParams params = {};
        params.layout = call.job && call.job->layout ? call.job->layout->id : -1;
        sendMessage(KXH_MSG_LAYOUT_OUTPUT, params);
        break;
    }
    case OutputHook::Header: {
        KxhHeaderCommentsParams params = {};
        params.output = output;
        params.phase = call.phase;
        sendMessage(KXH_MSG_HEADER_COMMENTS, params);
        break;
    }
    case OutputHook::PageMarks:
    case OutputHook::PageBoxes: {
        KxhPageHookParams params = {};
        params.output = output;
        params.page = call.page;
        sendMessage(call.hook == OutputHook::PageMarks ? KXH_MSG_PAGE_MARKS : KXH_MSG_PAGE_BOXES,
                    params);
        break;
    }
    }
}

} // namespace

void connectOutputHooks() {
    setOutputHookDispatch(dispatchHook, nullptr);
}

} // namespace refhost
