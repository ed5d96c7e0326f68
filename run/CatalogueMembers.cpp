#include "CatalogueMembers.h"

#include <iterator>

namespace {

constexpr EngineMember kMembers[] = {
#define CATALOGUE_ENTRY(category, name, bit, icon, member, run) &CVxMain::member,
#include "CatalogueEntries.inc"
#undef CATALOGUE_ENTRY
};
static_assert(std::size(kMembers) == kCatalogueSize, "one member per catalogue entry");

} // namespace

EngineMember MemberOf(const CatalogueEntry& entry) {
    return kMembers[&entry - kCatalogue];
}
