#pragma once

#include <optional>
#include <string>

// The file operations a save needs, each answering whether it worked. Paths are full paths in
// the ANSI code page.
class SaveFiles {
public:
    enum class Kind { Missing, File, ReadOnlyFile, Folder };
    // How much of a copy into an existing file was written.
    enum class Written { All, Nothing, Part };

    virtual ~SaveFiles() = default;
    virtual Kind Probe(const std::string& path) = 0;
    // Whether the file itself takes writes now: opened for writing, sharing everything, and
    // closed again. Permissions and other programs' hold on it can refuse.
    virtual bool CanWrite(const std::string& path) = 0;
    // The file that path leads to through links; path itself where it is no link; nothing
    // where the file it leads to has no name in the ANSI code page.
    virtual std::optional<std::string> FinalPath(const std::string& path) = 0;
    // Whether the file at path has other names too (hard links), which a rename would part
    // from it.
    virtual bool HasOtherNames(const std::string& path) = 0;
    // Removes the copies that saves killed before their end left beside path, except those a
    // running save still holds, and complete ones where path holds other bytes; never any other
    // file.
    virtual void RemoveLeftCopies(const std::string& path) = 0;
    // Makes a new, empty copy file beside path, named after it, and holds it so that other
    // saves' clean-up leaves it alone until it is moved or removed; nothing where the folder
    // takes no new file.
    virtual std::optional<std::string> CreateCopyBeside(const std::string& path) = 0;
    // Makes a new, empty file in the user's temporary folder.
    virtual std::optional<std::string> CreateWorkFile() = 0;
    // Gives the complete copy a name of its own beside the same file, which tells it from a copy
    // still being written, and goes on holding it under that name; nothing where the rename is
    // refused.
    virtual std::optional<std::string> NameComplete(const std::string& copy) = 0;
    // Writes the content of from over that of the existing file to.
    virtual Written Copy(const std::string& from, const std::string& to) = 0;
    // Puts what was written to the file on the disk.
    virtual bool Flush(const std::string& path) = 0;
    // Gives replacement what target has besides its content: attributes, creation time, owner
    // and permissions. False where not all of them can be given.
    virtual bool CarryOver(const std::string& target, const std::string& replacement) = 0;
    // Gives from the name to in one step, replacing a file of that name.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// The longest full path the profile functions take.
inline constexpr std::size_t LongestProfilePath = 259;

// One save that lands whole or not at all. The writes go to a complete copy of the target
// beside it (so that whatever else the target holds, its layout and its encoding carry over),
// which Commit puts in the target's place in one step, with the target's attributes, owner and
// permissions. Where the copy cannot take the target's place (the target has other names, its
// owner or permissions cannot be given to the copy, another program holds it open), the copy's
// content is written into the target itself, and the copy goes only once that is done. A link
// stays a link: the file it leads to is saved. Where the copy's name is too long for the profile
// functions, they write to a work file elsewhere, copied beside the target at Commit. Where the
// folder takes no new file, the writes go to the target itself. Every failure raises the write
// error naming the target; the target then is as it was and the copy is gone, except where
// writing into the target broke off, where the complete copy stays beside it under the name that
// tells it complete.
class TSafeSave {
public:
    // Refuses a read-only target, a folder, a target the user may not write, and a target that
    // cannot be copied. Removes what killed saves left beside the target.
    TSafeSave(std::string target, SaveFiles& files);
    // A save that did not land leaves no copy behind.
    ~TSafeSave();
    TSafeSave(const TSafeSave&) = delete;
    TSafeSave& operator=(const TSafeSave&) = delete;

    // Where the writes go.
    const std::string& WorkPath() const { return workPath_; }

    void Commit();

private:
    // The copy's content into the target itself.
    void WriteIntoTarget();
    // The copy and the work file go; the error is raised.
    [[noreturn]] void Fail();
    void RemoveWorkFile();

    std::string target_;
    SaveFiles& files_;
    std::string landing_;  // the file the save writes: the target, or the file it links to
    std::string copyPath_;
    std::string workPath_;
    bool hasCopy_ = false;
    bool hasWorkFile_ = false;
    bool intoTarget_ = false;
};
