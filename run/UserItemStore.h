// The user-defined items in the registry, each under the code it was given when it was added.
// Codes are handed out once: "Count" only grows, and a code whose key exists is never given.
#pragma once

#include "UserItem.h"

#include <optional>
#include <vector>

struct StoredUserItem {
    CString code;
    UserItem item;
    bool selected = false;
};

// The items whose codes begin with `prefix` (case-insensitive), in the registry's order; codes
// longer than eight characters are skipped. Nothing when the items' key cannot be opened.
std::optional<std::vector<StoredUserItem>> ReadUserItems(const char* prefix);

// The items of the next run as the organisation's policy rules them. A locked list is the
// policy's, each item checked and without a code, and `locked` is set. Otherwise the user's own
// items; where the user has stored none yet, the policy's default items are stored as theirs
// first, checked. Nothing when the items' key cannot be opened.
std::optional<std::vector<StoredUserItem>> ReadRunUserItems(bool& locked);

// Stores a new, unselected item and returns its code; empty when it could not be stored.
CString AddUserItem(const UserItem& item);
// Rewrites the folder, the patterns and the subfolder flag; the selection mark stays.
void UpdateUserItem(const CString& code, const UserItem& item);
// Removes the item's key with anything below it.
void DeleteUserItem(const CString& code);
void MarkUserItem(const CString& code, bool selected);
