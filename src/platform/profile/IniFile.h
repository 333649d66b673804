#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/disk/DiskFiles.h"
#include "platform/disk/FilePath.h"

// A profile (INI) file reached one value at a time. An object lives for one load or one
// save: whatever the platform buffers is flushed when it is destroyed.
class TCustomIniFile {
public:
    explicit TCustomIniFile(FilePath fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;

    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    // The value stored under section and key, whole; the default where the file, the
    // section or the key is missing. Never fails.
    virtual std::string ReadEntry(const std::string& section,
                                  const std::string& key,
                                  const std::string& defaultValue) = 0;

    // Creates the file, section or key as needed and replaces an existing value.
    // Raises EIniFileException when the platform cannot write; a save's object may keep the
    // value until Commit, and raise there.
    virtual void WriteEntry(const std::string& section, const std::string& key, const std::string& value) = 0;

    // The file as this object took it: what a load reads, what a save writes over (Missing
    // for a file that is not there yet). The object holds the file from then on, so that no
    // other program writes it until the object is gone or the save has landed.
    const FileSnapshot& Found() const { return found_; }

    // For a save: whether the file is no longer as it was found. Only a program that held the
    // file open for writing before the save took it can have changed it.
    virtual bool ChangedSinceFound() { return false; }

    // For a save: builds on base, the complete copy that an unfinished save of this file left,
    // in place of the file's own bytes; base goes once this save has landed.
    virtual void BuildOn(const FilePath& base) { (void)base; }

    // A save's writes reach the file here, all of them or, when this raises EIniFileException,
    // none; an EUnfinishedSave says where that could not hold, and a save that can only write
    // the file in place keeps the values written before a write that failed. Answers the file as the save
    // wrote it. An object destroyed without it leaves the file as it was where the platform can.
    virtual FileSnapshot Commit() { return found_; }

    // The names of the keys the section holds, in the file's order; none where the file or the
    // section is missing. Never fails.
    virtual std::vector<std::string> ReadSection(const std::string& section) = 0;

    const FilePath& FileName() const { return fileName_; }

protected:
    void SetFound(const FileSnapshot& found) { found_ = found; }

private:
    FilePath fileName_;
    FileSnapshot found_;
};

// What a profile-file object is made for: one load or one save.
enum class IniFileUse { Load, Save };

// Makes the profile-file object for one load or one save of the file at a path. For a load it
// raises EIniFileException when the file exists but cannot be read or is no text file; a file
// that does not exist loads as one without keys.
using IniFileOpener = std::function<std::unique_ptr<TCustomIniFile>(const FilePath& fileName, IniFileUse use)>;

// The error of a write that the platform refused: "<path> に書き込めません".
EIniFileException CannotWriteIniFile(const FilePath& fileName);
// A file that exists but could not be read: "<path> を読み込めません".
EIniFileException CannotReadIniFile(const FilePath& fileName);
// A file that is no profile text, such as a program or a picture.
EIniFileException NotAProjectFile(const FilePath& fileName);
// A file larger than any project file, whose limit it names.
EIniFileException TooLargeFile(const FilePath& fileName);

// A save that broke off while it wrote into the file itself: the file may be incomplete, and the
// whole new version is in the copy beside it. Left is the file as the save left it.
class EUnfinishedSave : public EIniFileException {
public:
    EUnfinishedSave(const FilePath& fileName, FilePath copy, const DiskStamp& left);
    const FilePath& Copy() const { return copy_; }
    const DiskStamp& Left() const { return left_; }

private:
    FilePath copy_;
    DiskStamp left_;
};
