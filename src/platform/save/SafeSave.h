#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/disk/FilePath.h"

#include "platform/disk/DiskFiles.h"

// The file operations a save needs, each answering whether it worked. Paths are full paths. The file a save writes over
// is taken first and held so that no other program writes it; the copy and the work file are held too, so that no other
// save's clean-up takes them.
class SaveFiles {
public:
    // How much of a copy was written.
    enum class Written { All, Nothing, Part };
    // What a reading of a file, whole, gave, and how much of it a copy wrote on: Kind is
    // NotAProject where the head is no profile text, TooLarge where the file is larger than any
    // project file, and nothing is written then; Fingerprint is that of every byte read.
    struct Reading {
        Written Done = Written::Nothing;
        DiskKind Kind = DiskKind::Project;
        std::uint64_t Fingerprint = 0;
    };
    // The file a save found under the name it writes to.
    struct Taken {
        // Missing where nothing has the name; Unreadable where it is nothing the user may write:
        // read-only, a folder, a device, refused by its permissions or by another program.
        DiskStamp Stamp{};
        // The file a link leads to, the name itself where it is no link; nothing where the system
        // does not tell.
        std::optional<FilePath> FinalPath{};
        // Whether the file has other names too (hard links), which a rename would part from it.
        bool OtherNames = false;
        // Whether the name is a symbolic link whose file was gone, and the save made that file
        // anew, empty, through the link (Stamp is the new file's): the save removes it again
        // where it does not land.
        bool MadeThroughLink = false;
    };

    virtual ~SaveFiles() = default;
    // Takes the file at path for the save and holds it, sharing only its reading where no other
    // program has it open for writing, until LetGo.
    virtual Taken Take(const FilePath& path) = 0;
    // The stamp of the file taken, as it is now; by name where the name was free.
    virtual DiskStamp TakenNow() = 0;
    // Lets go of the file taken: a rename cannot replace a file held open, and the profile
    // functions cannot write one held against other writers.
    virtual void LetGo() = 0;
    // Makes a new, empty copy file beside path, named after it, with the right to rename and
    // remove it whatever the folder allows; nothing where the folder takes no new file or the
    // copy's name would be too long for it.
    virtual std::optional<FilePath> CreateCopyBeside(const FilePath& path) = 0;
    // Opens the copy to the profile functions, which write it by name, keeping it from other
    // saves' clean-up: false where the save could not rename or remove it after them (a folder
    // that lets the user write but not delete refuses that right to a handle opened later).
    virtual bool OpenToProfileFunctions(const FilePath& copy) = 0;
    // Makes a new, empty work file in the user's temporary folder, open to the profile
    // functions; nothing where there is no usable such folder.
    virtual std::optional<FilePath> CreateWorkFile() = 0;
    // Reads the file whole, as Copy reads its source.
    virtual Reading Read(const FilePath& path) = 0;
    // Writes the content of from over that of the existing file to, cutting it to that length.
    virtual Reading Copy(const FilePath& from, const FilePath& to) = 0;
    // Puts what was written to the file on the disk; answers its stamp then.
    virtual std::optional<DiskStamp> Flush(const FilePath& path) = 0;
    // Gives the copy a name of its own beside the same file, which tells a complete copy from one
    // still being written, and puts the rename on the disk; nothing where it is refused.
    virtual std::optional<FilePath> NameComplete(const FilePath& copy) = 0;
    // Gives replacement what target has besides its content: attributes, creation time, owner
    // and permissions. False where not all of them can be given.
    virtual bool CarryOver(const FilePath& target, const FilePath& replacement) = 0;
    // Gives the copy the name to in one step, replacing the file of that name, and puts the
    // rename on the disk.
    virtual bool Move(const FilePath& copy, const FilePath& to) = 0;
    virtual void Remove(const FilePath& path) = 0;
};

// The ways a save can land, from the safest to the last resort. Every road holds the file
// against other writers until its values go in, and answers the file as it wrote it.
enum class SaveRoad {
    // The values go into a new copy beside the file, which is put on the disk and takes the
    // file's place in one rename, with its attributes, owner and permissions: the file is the
    // old one or the new one, whenever the save ends.
    Replace,
    // The same copy, once complete, is named so and written into the file itself, which keeps its
    // place: the file has other names, its owner or permissions cannot be given to the copy, or
    // the rename was refused (another program holds the file open while letting others write
    // it, a folder that lets the user write but not delete).
    WriteInto,
    // No copy can be had beside the file (the folder takes no new file, or a copy's name would be
    // too long), or neither it nor a work file in the temporary folder can be written by the
    // profile functions: they write the file itself, one value at a time, as safe as their own
    // writes.
    InPlace,
};

// What decides a save's road.
struct SaveConditions {
    // A copy could be made beside the file, and the profile functions can write the values into
    // it or into a work file in the temporary folder.
    bool CopyWritable = false;
    // The file is there, and must keep its place: it has other names or is reached through a
    // link to a file the system does not name, or the rename of the copy was refused.
    bool KeepsItsPlace = false;
};

// The one decision of which road a save takes.
SaveRoad RoadFor(const SaveConditions& conditions);

// One save of a profile file, from the first look at its target to the last write, landing whole
// or not at all. Its steps, in order:
//  1. The target is taken: only a file on a disk that the user may write, held so that no other
//     program writes it meanwhile; a link whose file is gone makes that file anew, so that the
//     link stays a link. A copy is made beside the file (the file a link leads to), which the
//     profile functions write by name; where they cannot, they write a work file in the
//     temporary folder instead, whose content goes into the copy at the end. What the target
//     holds is read whole, once: into the copy or work file, and into the fingerprint of what
//     the save found. A file that is no profile text, or too large, is refused before the rest
//     is read. The road (SaveRoad) follows from what was found.
//  2. ChangedSinceFound tells whether the target changed all the same (only a program that held
//     it open for writing before the save took it can have changed it).
//  3. Commit has the values written (WorkPath names the file they go to), then lands them by
//     the road: the copy put on the disk and renamed over the target, or named complete, put on
//     the disk, written into the target and removed; or, in place, written into the target by
//     the profile functions themselves once the save lets go of it.
//  4. Commit answers the target as the save wrote it: the fingerprint of the bytes written and
//     the stamp they were put on the disk with, so that none of the save's own writes is ever
//     taken for another program's change.
// Every failure raises the write error naming the target, and leaves the target as it was and
// nothing beside it or in the temporary folder, except where writing into the target broke off:
// EUnfinishedSave then names the complete copy, which stays.
class TSafeSave {
public:
    TSafeSave(FilePath target, SaveFiles& files);
    // A save that did not land leaves no copy behind.
    ~TSafeSave();
    TSafeSave(const TSafeSave&) = delete;
    TSafeSave& operator=(const TSafeSave&) = delete;

    // What the target held when the save took it.
    const FileSnapshot& Found() const { return found_; }
    SaveRoad Road() const { return road_; }
    // Where the values go: the copy, the work file, or the target itself.
    const FilePath& WorkPath() const { return workPath_; }
    // The save builds on base, a complete copy an unfinished save left, in place of what the
    // target holds, and removes it once this save has landed. A save in place cannot, and raises.
    void BuildOn(const FilePath& base);
    bool ChangedSinceFound();
    // writeValues writes the values into WorkPath through the profile functions and hands them
    // over to it; a write error it raises leaves the target as it was, except in place.
    FileSnapshot Commit(const std::function<void()>& writeValues);

private:
    // The copy that could not take the target's place: its content into the target itself.
    FileSnapshot WriteIntoTarget(std::uint64_t fingerprint);
    // The values written by the profile functions into the target itself.
    FileSnapshot WriteInPlace(const std::function<void()>& writeValues);
    // The copy, the work file and a file made through a link go; the error is raised: the write
    // error, or the load's error about a file found to be no project file or too large.
    [[noreturn]] void Fail(DiskKind found = DiskKind::Project);
    void DropAll();
    void Drop(std::optional<FilePath>& file);

    FilePath target_;
    SaveFiles& files_;
    // The file the save writes: the target, or the file it links to; whether it is there now.
    FilePath landing_;
    bool landingExists_ = false;
    std::optional<FilePath> madeThroughLink_;
    // The target as a look at it now should see it, and as the document is told it was found.
    DiskStamp held_;
    FileSnapshot found_;
    SaveRoad road_ = SaveRoad::Replace;
    FilePath workPath_;
    std::optional<FilePath> copy_;
    std::optional<FilePath> workFile_;
    std::optional<FilePath> base_;
};
