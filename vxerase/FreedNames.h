// The names of removed entries stay in their folder's free directory space until new entries take
// that space: NTFS keeps them in the slack of the folder's index blocks and of its own record, FAT
// and exFAT in entries marked deleted. They are covered with entries of random names, made
// together and removed again; these are delete-on-close, so that none outlives the process.
#pragma once

#include "Handle.h"

#include <cstdint>
#include <string>
#include <vector>

// An empty file of a name of `length` characters in the folder, `lead` followed by random ones,
// removed when its handle closes. Its case is kept as given, so that the system need not look
// through the folder for the name in another case: the name is new.
FileHandle CreateCover(const std::wstring& folder, size_t length, const std::wstring& lead = {});

// The bytes that a name of `length` characters takes in a folder's directory: the larger of its
// NTFS index entry and its exFAT entry set.
uint64_t DirectoryBytes(size_t length);

// The names one folder loses, from before they are removed until they are covered.
class FreedNames {
public:
    explicit FreedNames(std::wstring folder) : m_folder(std::move(folder)) {}

    void Add(size_t nameLength) { m_lengths.push_back(nameLength); }
    // Before the removal. A directory of entries may give back its last clusters, with the
    // names in them, once its last entries go: one entry made now, at its end, keeps it whole
    // until the names are covered.
    void Hold();
    // After the removal. Entries in a list are taken again where they were, first fit: in an
    // emptied folder by long names, otherwise by names of the lengths removed. An NTFS index
    // that lost its last entry starts anew and rewrites each block it takes again whole: it is
    // filled to twice the size the names took, which reaches every block it had.
    void Cover();

private:
    // An NTFS index, a list of FAT or exFAT entries, or a directory that may be either.
    enum class Kind { Index, Entries, Either };

    static Kind KindOf(const std::wstring& folder);
    uint64_t Bytes() const;
    void Fill(uint64_t bytes) const;
    void Replay() const;

    std::wstring m_folder;
    std::vector<size_t> m_lengths;
    Kind m_kind = Kind::Either;
    FileHandle m_hold;
};
