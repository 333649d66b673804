#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/DiskFiles.h"

// The file operations a save needs, each answering whether it worked. Paths are full paths in
// the ANSI code page. The file a save writes over is taken first and held so that no other
// program writes it; the copy and the work file are held too, so that no other save's clean-up
// takes them.
class SaveFiles {
public:
    // How much of a copy was written.
    enum class Written { All, Nothing, Part };
    // What a copy read and wrote: Kind is NotAProject where the source's head is no profile text,
    // and nothing is written then; Fingerprint is that of every byte read.
    struct Copied {
        Written Done = Written::Nothing;
        DiskKind Kind = DiskKind::Project;
        std::uint64_t Fingerprint = 0;
    };
    // The file a save found under the name it writes to.
    struct Taken {
        // Missing where nothing has the name; Unreadable where it is nothing the user may write:
        // read-only, a folder, a device, refused by its permissions or by another program.
        DiskStamp Stamp{};
        // The file a link leads to, the name itself where it is no link; nothing where that file
        // has no name in the ANSI code page.
        std::optional<std::string> FinalPath{};
        // Whether the file has other names too (hard links), which a rename would part from it.
        bool OtherNames = false;
    };

    virtual ~SaveFiles() = default;
    // Takes the file at path for the save and holds it, sharing only its reading where no other
    // program has it open for writing, until LetGo.
    virtual Taken Take(const std::string& path) = 0;
    // The stamp of the file taken, as it is now; by name where the name was free.
    virtual DiskStamp TakenNow() = 0;
    // Lets go of the file taken: a rename cannot replace a file held open.
    virtual void LetGo() = 0;
    // Makes a new, empty file in the user's temporary folder.
    virtual std::optional<std::string> CreateWorkFile() = 0;
    // Makes a new, empty copy file beside path, named after it, with the right to rename and
    // remove it whatever the folder allows; nothing where the folder takes no new file.
    virtual std::optional<std::string> CreateCopyBeside(const std::string& path) = 0;
    // Reads the file whole, as Copy reads its source.
    virtual Copied Read(const std::string& path) = 0;
    // Writes the content of from over that of the existing file to, cutting it to that length.
    virtual Copied Copy(const std::string& from, const std::string& to) = 0;
    // Puts what was written to the file on the disk; answers its stamp then.
    virtual std::optional<DiskStamp> Flush(const std::string& path) = 0;
    // Gives the copy a name of its own beside the same file, which tells a complete copy from one
    // still being written, and puts the rename on the disk; nothing where it is refused.
    virtual std::optional<std::string> NameComplete(const std::string& copy) = 0;
    // Gives replacement what target has besides its content: attributes, creation time, owner
    // and permissions. False where not all of them can be given.
    virtual bool CarryOver(const std::string& target, const std::string& replacement) = 0;
    // Gives the copy the name to in one step, replacing the file of that name, and puts the
    // rename on the disk.
    virtual bool Move(const std::string& copy, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// The longest full path the profile functions take.
inline constexpr std::size_t LongestProfilePath = 259;

// One save of a profile file, from the first look at its target to the last write, landing whole
// or not at all. Its steps, in order:
//  1. The target is taken: only a file on a disk that the user may write, held so that no other
//     program writes it meanwhile. What it holds is read whole, once: into a work file in the
//     user's temporary folder, where the profile functions write, and into the fingerprint of
//     what the save found. A file that is no profile text is refused before the rest is read.
//  2. The writes go to the work file (WorkPath).
//  3. ChangedSinceFound tells whether the target changed all the same (only a program that held
//     it open for writing before the save took it can have changed it).
//  4. Commit copies the work file into a new copy beside the target, puts it on the disk, and
//     puts it in the target's place in one rename, with the target's attributes, owner and
//     permissions. Where it cannot take the place (the target has other names, its owner or
//     permissions cannot be given to the copy, another program holds it open, the folder lets
//     the user write but not delete), the copy is named complete, that name is put on the disk,
//     its content is written into the target, and the copy goes.
//  5. Commit answers the target as the save wrote it: the copy's stamp and the fingerprint of
//     the bytes written, never read back from the target.
// A link stays a link: the file it leads to is saved. Where no work file can be had, the profile
// functions write to the target itself, as safe as their own writes. Every failure raises the
// write error naming the target, and leaves the target as it was and nothing beside it, except
// where writing into the target broke off: EUnfinishedSave then names the complete copy, which
// stays.
class TSafeSave {
public:
    TSafeSave(std::string target, SaveFiles& files);
    // A save that did not land leaves no copy behind.
    ~TSafeSave();
    TSafeSave(const TSafeSave&) = delete;
    TSafeSave& operator=(const TSafeSave&) = delete;

    // What the target held when the save took it.
    const FileSnapshot& Found() const { return found_; }
    // Where the writes go.
    const std::string& WorkPath() const { return workPath_; }
    // The save builds on base, a complete copy an unfinished save left, in place of what the
    // target holds, and removes it once this save has landed. A save in place cannot, and raises.
    void BuildOn(const std::string& base);
    bool ChangedSinceFound();
    FileSnapshot Commit();

private:
    // The content of complete (the copy, or the work file) into the target itself.
    FileSnapshot WriteIntoTarget(std::optional<std::string>& complete, std::uint64_t fingerprint);
    // The copy and the work file go; the error is raised.
    [[noreturn]] void Fail();
    void Drop(std::optional<std::string>& file);

    std::string target_;
    SaveFiles& files_;
    bool exists_ = false;
    std::string landing_;  // the file the save writes: the target, or the file it links to
    bool intoTarget_ = false;
    FileSnapshot found_;
    std::string workPath_;
    std::optional<std::string> workFile_;
    std::optional<std::string> copy_;
    std::optional<std::string> base_;
};
