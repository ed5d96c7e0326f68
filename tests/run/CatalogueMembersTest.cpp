// Each catalogue entry runs an engine member of its own.
#include "CatalogueMembers.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CatalogueMembers, EveryEntryHasAMemberNoOtherEntryShares) {
    std::vector<EngineMember> members;
    for (const CatalogueEntry& entry : kCatalogue) {
        const EngineMember member = MemberOf(entry);
        EXPECT_NE(member, nullptr) << entry.name;
        for (EngineMember other : members)
            EXPECT_NE(member, other) << entry.name;
        members.push_back(member);
    }
}
