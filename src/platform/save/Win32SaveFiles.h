#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/UniqueHandle.h"
#include "platform/save/SafeSave.h"

// The operations of a save over the Windows file functions. Names pass in the long-path form
// where they are too long otherwise. One object serves one save: it holds the file taken, the
// work file and the copy until they are let go of, moved or removed.
class TWin32SaveFiles final : public SaveFiles {
public:
    Taken Take(const FilePath& path) override;
    DiskStamp TakenNow() override;
    void LetGo() override;
    std::optional<FilePath> CreateCopyBeside(const FilePath& path) override;
    bool OpenToProfileFunctions(const FilePath& copy) override;
    std::optional<FilePath> CreateWorkFile() override;
    Reading Read(const FilePath& path) override;
    Reading Copy(const FilePath& from, const FilePath& to) override;
    std::optional<DiskStamp> Flush(const FilePath& path) override;
    std::optional<FilePath> NameComplete(const FilePath& copy) override;
    bool CarryOver(const FilePath& target, const FilePath& replacement) override;
    bool Move(const FilePath& copy, const FilePath& to) override;
    void Remove(const FilePath& path) override;

private:
    // The handle this save holds on path, or null: the file taken, under its name or the name of
    // the file it leads to, or a file the save made.
    HANDLE Held(const FilePath& path) const;

    FilePath taken_;
    std::optional<FilePath> takenFinal_;
    UniqueFile takenFile_;
    // The files the save made, none of them to be removed by another save's clean-up, which
    // takes only files that no handle holds. A copy's handle has the right to delete it itself,
    // except while the profile functions write it.
    struct Made {
        UniqueFile File;
        bool MayDelete = false;
    };
    // The file the save made at path, held with the right to delete it; null where that right is
    // refused.
    Made* MayDelete(const FilePath& path);

    std::map<FilePath, Made> made_;
};
