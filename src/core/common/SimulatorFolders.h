#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The simulator's folders and files, found without regard to case: the simulator is a Windows
// program, and replays store track names in lower case, while a case-sensitive file system may
// hold "Tracks/Monza/MONZA.ptf".

// The entry `name` of `folder`: an exact match, else the first whose name has the same
// entryNameKey, else folder / name as given (which then does not exist).
std::filesystem::path entryIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// What the names of one entry have in common, however they were written: their text (nameText, so
// a replay's track name "fj\xe4llbacka" in Windows-1252 meets its folder "Fjällbacka", whether the
// system names it in UTF-8 or UTF-16) with its letters lower-cased (lowerCase1252Letters).
std::string entryNameKey(std::string_view name);

// "<simulator>/replay" and "<simulator>/tracks".
std::filesystem::path replayFolder(const std::filesystem::path& simulatorDirectory);
std::filesystem::path tracksFolder(const std::filesystem::path& simulatorDirectory);
// The folder of one track under the tracks folder.
std::filesystem::path trackFolder(const std::filesystem::path& tracksDirectory, const std::string& trackName);

// The entries of a folder, in the order the system lists them; none when it cannot be read. Never
// throws, even when the folder changes while it is listed.
std::vector<std::filesystem::directory_entry> folderEntries(const std::filesystem::path& folder);
