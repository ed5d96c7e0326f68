// The account the tests run under.
#pragma once

#include <string>

// The user's SID as the system writes it ("S-1-5-21-...").
std::string UserSidText();
std::string UserName();
