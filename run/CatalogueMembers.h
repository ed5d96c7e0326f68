// The engine member that removes the traces of each catalogue entry.
#pragma once

#include "Catalogue.h"
#include "VxMain.h"

using EngineMember = void (CVxMain::*)();

EngineMember MemberOf(const CatalogueEntry& entry);

// Whether the category's traces can be on this machine: a browser's branch is shown only where
// the browser keeps a profile.
bool IsPresent(Category category);
