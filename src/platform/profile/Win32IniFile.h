#pragma once

#include "platform/profile/IniFile.h"

// A profile file through the Windows profile functions. The path is kept exactly as given:
// it is neither made absolute nor tested for existence.
class TIniFile : public TCustomIniFile {
public:
    // Reads and writes the file fileName.
    explicit TIniFile(FilePath fileName);
    // Reads and writes the file workPath, standing in for fileName, which its errors name.
    TIniFile(FilePath fileName, FilePath workPath);
    ~TIniFile() override;

    std::string ReadEntry(const std::string& section, const std::string& key, const std::string& defaultValue) override;
    void WriteEntry(const std::string& section, const std::string& key, const std::string& value) override;
    std::vector<std::string> ReadSection(const std::string& section) override;

    // Hands whatever the platform keeps of the file over to the file.
    void Flush();

private:
    // A value (a key's, or where key is null the section's key names, or where section is null
    // too the file's section names), converted as the ANSI reader converts it, whole.
    std::string Read(const std::string* section, const std::string* key, const std::string& defaultValue);

    FilePath workPath_;
};

// Opens the profile-file objects the document is given on Windows. A load first reads the file
// itself: one that does not exist loads without keys, and one that exists but cannot be read, or
// holds no text, is refused. A save is a TSafeSave: it lands whole.
std::unique_ptr<TCustomIniFile> OpenWin32IniFile(const FilePath& fileName, IniFileUse use);
