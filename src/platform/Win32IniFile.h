#pragma once

#include "platform/IniFile.h"

// A profile file through the Windows profile functions. The path is kept exactly as given:
// it is neither made absolute nor tested for existence.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(std::string fileName);
    ~TIniFile() override;

    std::string ReadEntry(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void WriteEntry(const std::string& section, const std::string& key, const std::string& value) override;
};

// Opens TIniFile objects; what the document is given on Windows.
std::unique_ptr<TCustomIniFile> OpenWin32IniFile(const std::string& fileName);
