#pragma once
// The per-user data folder: where tovel runs, so that the user's edits to its data files
// survive updates of the program.

#include <string>

namespace tovel {

// $XDG_DATA_HOME/tovel, or ~/.local/share/tovel.
std::string UserDataFolder();

// Where the default data files were installed: beside the program (a build) or in
// ../share/tovel (an installation), programDir being the program's folder. Empty when neither
// holds them. tovel seeds the user's folder from there; tovel-cli reads its table there.
std::string DefaultDataFolder(const std::string& programDir);
std::string DefaultDataFolder();

// Creates folder and copies into it every default data file it lacks (reaction files
// included). A default file the user has not changed since it was copied is replaced by a
// newer shipped version; a file the user changed is never touched. Returns an error text,
// empty on success.
std::string SeedDataFolder(const std::string& folder, const std::string& defaults);

}  // namespace tovel
