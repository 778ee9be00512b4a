#pragma once

// What an operation on a store in memory (the preferences, an array) did.
enum class StoreResult {
    Ok,
    Refused,    // a write the store will not hold (no text, too long, a line-breaking byte)
    NoMemory,   // memory exhausted
    Unreadable, // bytes that do not form a text
};
