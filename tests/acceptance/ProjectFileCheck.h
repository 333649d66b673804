#pragma once

#include <string>
#include <utility>
#include <vector>

// A project file as the tests look into it: its lines read as sections and key=value pairs,
// in the order the file holds them, and single values read through the platform's profile
// reader, as any other program would read them.

struct ProfileSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Entries;  // key, value as written
};
std::vector<ProfileSection> ReadProfileLines(const std::string& path);

// The value under section and key, whole however long; "<missing>" when there is none.
std::string ReadProfileValue(const std::string& path, const std::string& section, const std::string& key);
