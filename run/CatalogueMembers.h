// The engine member that removes the traces of each catalogue entry.
#pragma once

#include "Catalogue.h"
#include "VxMain.h"

using EngineMember = void (CVxMain::*)();

EngineMember MemberOf(const CatalogueEntry& entry);
