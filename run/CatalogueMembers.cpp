#include "CatalogueMembers.h"

#include "VxBrowsers.h"

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

bool IsPresent(Category category) {
    switch (category) {
    case Category::Chrome:
        return VxBrowserInstalled(VxBrowser::Chrome);
    case Category::Edge:
        return VxBrowserInstalled(VxBrowser::Edge);
    case Category::Firefox:
        return VxBrowserInstalled(VxBrowser::Firefox);
    default:
        return true;
    }
}
