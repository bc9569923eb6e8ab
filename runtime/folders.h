// Making folders on the way to a path.
#pragma once

#include <string>

// Creates every missing folder of `folder` (like mkdir -p); true when it is a folder afterwards.
bool MakeFolders(const std::string& folder);
