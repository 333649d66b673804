#include "acceptance/ProjectFileCheck.h"

#include <windows.h>

#include "win32/TempFolder.h"

std::vector<ProfileSection> ReadProfileLines(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::vector<ProfileSection> sections;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            sections.push_back(ProfileSection{line.substr(1, line.size() - 2), {}});
        } else if (!sections.empty()) {
            const std::size_t equals = line.find('=');
            sections.back().Entries.emplace_back(line.substr(0, equals),
                                                 equals == std::string::npos ? "" : line.substr(equals + 1));
        }
    }
    return sections;
}

std::string ReadProfileValue(const std::string& path, const std::string& section, const std::string& key) {
    static const char missing[] = "<missing>";
    // Another process wrote the file: drop whatever this process keeps of it.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    std::string buffer(4096, '\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), missing, buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), path.c_str());
        if (length + 2 < buffer.size()) {
            return buffer.substr(0, length);
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}
