/* Activation of a plug-in, the host entry block and handler registration.
 *
 * Sequence, for each plug-in library the host loads:
 * 1. The host calls the library's exported XTActivateCallback with an activation block.
 *    The plug-in confirms itself (confirmPlugin), passes its value (takeValue) and registers
 *    its main callback and its identifier-allocation callback. A non-zero result, or a
 *    refused confirmation, leaves the plug-in inert: the host calls nothing of it again.
 * 2. The host calls the identifier-allocation callback (so that identifiers exist before any
 *    handler is registered), then the main callback with the host entry block. In the main
 *    callback the plug-in fills its tables, obtains the optional services and registers its
 *    message handlers. A non-zero result of the main callback makes the host drop every
 *    handler that plug-in registered: it stays inert.
 * 3. From then on the host calls the registered handlers, one message at a time, on its
 *    user-interface thread. There is no shut-down call.
 */
#ifndef KXH_ENTRY_H
#define KXH_ENTRY_H

#include "kxh_base.h"

KXH_BEGIN_DECLS

/* The interface this header describes; the plug-in passes both to confirmPlugin. */
#define KXH_INTERFACE_VERSION 11u
#define KXH_INTERFACE_REVISION 0x42A20014u

/* Entry points return 0 or this status (plug-in refused, or set-up failed). */
#define KXH_PLUGIN_REFUSED 0x51000401

/* Registration kind: "call this handler for the message". The only kind the host serves. */
#define KXH_REG_HANDLER 5u
/* Identifier kind: a private message number, unique in the host, never one of the host's own
 * messages (allocated upwards from KXH_FIRST_PRIVATE_MESSAGE). */
#define KXH_ID_MESSAGE 1u
#define KXH_FIRST_PRIVATE_MESSAGE 0x10000u

/* Order values: handlers of one message run by ascending order value, equal values in the
 * order they were registered (across all plug-ins). */
#define KXH_ORDER_EARLY 10u
#define KXH_ORDER_NORMAL 200u

/* A message handler: takes the message's parameter block (it begins with KxhParams) and
 * returns 0. Results for the host travel in the parameter block's own fields. */
typedef int32_t(KXH_CALL* KxhHandler)(void* params);

struct KxhEntryBlock;
struct KxhIdAllocBlock;

/* Main callback: returns 0, or KXH_PLUGIN_REFUSED when set-up failed. */
typedef int32_t(KXH_CALL* KxhMainCallback)(struct KxhEntryBlock* entry);
/* Identifier-allocation callback: returns 0. */
typedef int32_t(KXH_CALL* KxhIdCallback)(struct KxhIdAllocBlock* block);

/* The block passed to XTActivateCallback. Valid only during that call; the host owns it. */
typedef struct KxhActivationBlock {
    uint32_t size;
    uint32_t version; /* KXH_INTERFACE_VERSION of the host */

    /* Confirms the plug-in to the host: (plug-in identifier, 0, KXH_INTERFACE_VERSION,
     * KXH_INTERFACE_REVISION, 0). The low byte of the answer is 1 when the host accepts;
     * any other answer means refused (wrong version, or the identifier is already in use by
     * another plug-in). Required. */
    uint32_t(KXH_CALL* confirmPlugin)(uint32_t pluginId, uint32_t reserved1, uint32_t version,
                                      uint32_t revision, uint32_t reserved2);
    /* Passes the plug-in's activation order value (plug-ins with lower values get their
     * callbacks first; 200 is the usual value). Returns 0. Optional for the plug-in. */
    int32_t(KXH_CALL* takeValue)(int32_t value);
    /* Registers the main callback (kind KXH_REG_HANDLER, order value). Returns 0, or
     * KXH_ERR_PARAM for a null callback or another kind. */
    int32_t(KXH_CALL* registerMainCallback)(KxhMainCallback callback, uint32_t kind,
                                            uint32_t order);
    /* Registers the identifier-allocation callback, as above. */
    int32_t(KXH_CALL* registerIdCallback)(KxhIdCallback callback, uint32_t kind, uint32_t order);
} KxhActivationBlock;

/* The one function a plug-in library exports, under exactly this name. */
typedef int32_t(KXH_CALL* KxhActivateFn)(KxhActivationBlock* block);
#define KXH_ACTIVATE_NAME "XTActivateCallback"

/* Passed to the identifier-allocation callback; valid only during that call. */
typedef struct KxhIdAllocBlock {
    uint32_t size;
    uint32_t version;
    /* Allocates one identifier of `kind` (KXH_ID_MESSAGE) into *id. Returns 0, KXH_ERR_PARAM
     * for another kind or a null id. */
    int32_t(KXH_CALL* allocate)(uint32_t kind, uint32_t* id);
} KxhIdAllocBlock;

/* Table requests: a list of 64-bit entries, the first the marker, then function identifiers
 * (kxh_tables.h). The host puts the function of the i-th identifier into the i-th function
 * slot of the destination table (the slot after the table's KxhHeader, counted from 0). */
#define KXH_LIST_MARKER 0x46470000u

/* The block passed to the main callback. The host keeps it alive until it exits; its first
 * KXH_ENTRY_COPY_SIZE bytes hold everything a plug-in needs, so a plug-in may keep a copy of
 * them instead of the pointer. All operations are required of the host. */
#define KXH_ENTRY_COPY_SIZE 104
typedef struct KxhEntryBlock {
    uint32_t size;    /* >= KXH_ENTRY_COPY_SIZE */
    uint32_t version; /* KXH_INTERFACE_VERSION */

    /* Fills the table `tableCode` at `dest` (which begins with a KxhHeader whose size the
     * caller set) from `list` of `count` entries: KXH_LIST_MARKER followed by identifiers of
     * that table's functions. Returns 0; KXH_ERR_UNKNOWN_TABLE, KXH_ERR_BAD_LIST,
     * KXH_ERR_UNKNOWN_FUNCTION or KXH_ERR_TABLE_TOO_SMALL leave the table untouched. The
     * host sets dest->version to KXH_TABLE_VERSION. */
    int32_t(KXH_CALL* fillTable)(uint32_t tableCode, void* dest, const uint64_t* list,
                                 uint32_t count);
    /* Fills the table `tableCode` at `dest` by its code alone: every function of the table in
     * declaration order, as many as dest->size holds. Returns 0 or KXH_ERR_UNKNOWN_TABLE,
     * KXH_ERR_PARAM (size below the header). */
    int32_t(KXH_CALL* getTable)(uint32_t tableCode, void* dest);
    /* Registers `handler` for `message` (kind KXH_REG_HANDLER, an order value, reserved 0).
     * Valid during the main callback. Returns 0, KXH_ERR_PARAM (null handler, other kind),
     * KXH_ERR_NOT_NOW (outside the main callback). */
    int32_t(KXH_CALL* registerHandler)(uint32_t message, KxhHandler handler, uint32_t kind,
                                       uint32_t order, uintptr_t reserved);
    /* Presence query: 0 when the host offers the service `code` (kxh_services.h),
     * KXH_ERR_NO_SERVICE otherwise. */
    int32_t(KXH_CALL* queryService)(uint32_t code);
    /* Identifier query: the service identifier of `code` into *id. 0 or KXH_ERR_NO_SERVICE. */
    int32_t(KXH_CALL* serviceIdentifier)(uint32_t code, uint32_t* id);
    /* Table request: fills the service table at `dest` (a KxhHeader with the caller's size
     * first) for the service identifier `id`, as many slots as dest->size holds. 0, or
     * KXH_ERR_NO_SERVICE for an unknown identifier, KXH_ERR_PARAM for a null dest. */
    int32_t(KXH_CALL* serviceTable)(uint32_t id, void* dest);
    void* reserved[6]; /* zero; room for operations inside the copied part */
} KxhEntryBlock;

KXH_STATIC_CHECK(entry_block_size, sizeof(KxhEntryBlock) >= KXH_ENTRY_COPY_SIZE);

KXH_END_DECLS

#endif
