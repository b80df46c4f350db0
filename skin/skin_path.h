// Skin image names are written every way Windows accepts ("Skins\Enable.png", "/skins/ItemBK.png",
// "Skins\" + "/Config/Config.png"); they are resolved here with the rules of a Windows path, so
// the program finds the same file on a file system that is case-sensitive.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ventrio {

// The steps of a relative name: "\" and "/" both separate, and empty steps (doubled separators,
// a leading or trailing one) and "." steps are dropped.
std::vector<std::string> SkinNameSteps(std::string_view name);

// The file `name` means inside `folder`. Each step that does not exist as written is looked up in
// its folder without regard to letter case; a step that matches nothing is kept as written, so
// the result names a missing file and loading it fails in the usual way.
std::filesystem::path ResolveSkinPath(const std::filesystem::path& folder, std::string_view name);

}  // namespace ventrio
