#pragma once

#include <functional>
#include <memory>
#include <string>

// A profile (INI) file reached one value at a time. An object lives for one load or one
// save: whatever the platform buffers is flushed when it is destroyed.
class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;

    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    // The value stored under section and key, whole; the default where the file, the
    // section or the key is missing. Never fails.
    virtual std::string ReadEntry(const std::string& section,
                                  const std::string& key,
                                  const std::string& defaultValue) = 0;

    // Creates the file, section or key as needed and replaces an existing value.
    // Raises EIniFileException when the platform cannot write.
    virtual void WriteEntry(const std::string& section, const std::string& key, const std::string& value) = 0;

    // A save's writes reach the file here, all of them or, when this raises EIniFileException,
    // none. An object destroyed without it leaves the file as it was where the platform can.
    virtual void Commit() {}

    // Whether the file holds the key, whatever its value (an empty one included).
    bool HasEntry(const std::string& section, const std::string& key);

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// What a profile-file object is made for: one load or one save.
enum class IniFileUse { Load, Save };

// Makes the profile-file object for one load or one save of the file at a path. For a load it
// raises EIniFileException when the file exists but cannot be read or is no text file; a file
// that does not exist loads as one without keys.
using IniFileOpener = std::function<std::unique_ptr<TCustomIniFile>(const std::string& fileName, IniFileUse use)>;

class EIniFileException;

// The error of a write that the platform refused: "<path> に書き込めません".
EIniFileException CannotWriteIniFile(const std::string& fileName);
// A file that exists but could not be read: "<path> を読み込めません".
EIniFileException CannotReadIniFile(const std::string& fileName);
// A file that is no profile text, such as a program or a picture.
EIniFileException NotAProjectFile(const std::string& fileName);
