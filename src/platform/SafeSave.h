#pragma once

#include <optional>
#include <string>

// The file operations a save needs, each answering whether it worked. Paths are full paths in
// the ANSI code page.
class SaveFiles {
public:
    enum class Kind { Missing, File, ReadOnlyFile, Folder };

    virtual ~SaveFiles() = default;
    virtual Kind Probe(const std::string& path) = 0;
    // Makes a new, empty file in the folder of path and answers its name; nothing where the
    // folder takes no new file.
    virtual std::optional<std::string> CreateFileBeside(const std::string& path) = 0;
    // Replaces the content of to with that of from.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;
    // Puts what was written to the file on the disk.
    virtual bool Flush(const std::string& path) = 0;
    // Puts replacement in the place of the existing target in one step, with the target's
    // attributes; the target stays whole where it fails.
    virtual bool Replace(const std::string& target, const std::string& replacement) = 0;
    // Gives from the name to in one step, replacing a file of that name.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// One save that lands whole or not at all. The writes go to a copy of the target beside it
// (so that whatever else the target holds, its layout and its encoding carry over), which
// Commit puts in the target's place in one step. Where the folder takes no new file, the
// writes go to the target itself. Every failure raises the write error naming the target;
// the target then is as it was and the copy is gone.
class TSafeSave {
public:
    // Refuses a read-only target or a folder, and a target that cannot be copied.
    TSafeSave(std::string target, SaveFiles& files);
    // A save that did not land leaves no copy behind.
    ~TSafeSave();
    TSafeSave(const TSafeSave&) = delete;
    TSafeSave& operator=(const TSafeSave&) = delete;

    const std::string& Target() const { return target_; }
    // Where the writes go.
    const std::string& WorkPath() const { return workPath_; }

    void Commit();

private:
    [[noreturn]] void Fail();

    std::string target_;
    SaveFiles& files_;
    std::string workPath_;
    bool hasCopy_ = false;
};
