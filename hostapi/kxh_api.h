/* The layout host's plug-in interface: everything a plug-in and the host share.
 *
 *   kxh_base.h      types, handles, result codes, four-character codes
 *   kxh_entry.h     activation, the host entry block, handler registration, identifiers
 *   kxh_tables.h    the function tables and their identifiers
 *   kxh_services.h  the optional services
 *   kxh_messages.h  message numbers, parameter blocks, the order of an output
 */
#ifndef KXH_API_H
#define KXH_API_H

#include "kxh_base.h"
#include "kxh_entry.h"
#include "kxh_messages.h"
#include "kxh_services.h"
#include "kxh_tables.h"

#endif
