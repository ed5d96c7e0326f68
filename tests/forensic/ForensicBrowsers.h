// Browser profiles on a test volume for the forensic suite: Chrome's and Firefox's, whose
// databases hold visited addresses marked "|TAG|ID|" beside a bookmark marked with a tag of its
// own, and their run through the engine with the user's application data on that volume.
#pragma once

#include "VxMain.h"

#include <string>

// Makes ROOT\Roaming and ROOT\Local and the profiles in them; prints the marker ids.
void MakeBrowserProfiles(const std::string& root, const std::string& tag,
                         const std::string& keptTag);

// Runs every browser entry but the saved passwords, with the application data folders pointed
// at ROOT for the length of the run.
void ShredBrowsers(CVxMain& engine, const std::string& root);
