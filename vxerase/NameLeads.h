// NTFS keeps a folder's names sorted, in index blocks of a few kilobytes, and a new name goes into
// the block it sorts into. A name that begins with a present name's lead sorts right after that
// name and before the next: the lead is the shortest beginning of the name that neither of its
// neighbours shares, followed by a character greater than the name's own in that place (smaller
// than the next one's, after a name that the next begins with). Entries
// named so reach every block of the folder, each of them always the same block, where names drawn
// at random reach only the blocks their first letters sort into (a folder of cookies all begins
// with the user's name).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A name a folder holds, and the bytes its entries take in the folder's index.
struct IndexName {
    std::wstring name;
    uint64_t bytes = 0;
};

struct NameLead {
    std::wstring lead;
    uint64_t bytes = 0;
};

// The leads of a folder's `listed` names, in the order and case the folder's listing gave them;
// none unless that is the index's order, which a folder that hashes its names or keeps a list of
// them does not give. The leads come in capitals, as the index compares names.
std::vector<NameLead> ListedLeads(std::vector<IndexName> listed);
