#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/UniqueHandle.h"
#include "platform/save/SafeSave.h"

// The operations of a save over the Windows file functions. Names pass as UTF-16 converted
// from the ANSI code page, so that they are exactly the names given, in the long-path form
// where they are too long otherwise. One object serves one save: it holds the file taken, the
// work file and the copy until they are let go of, moved or removed.
class TWin32SaveFiles final : public SaveFiles {
public:
    Taken Take(const std::string& path) override;
    DiskStamp TakenNow() override;
    void LetGo() override;
    std::optional<std::string> CreateCopyBeside(const std::string& path) override;
    bool OpenToProfileFunctions(const std::string& copy) override;
    std::optional<std::string> CreateWorkFile() override;
    Copied Read(const std::string& path) override;
    Copied Copy(const std::string& from, const std::string& to) override;
    std::optional<DiskStamp> Flush(const std::string& path) override;
    std::optional<std::string> NameComplete(const std::string& copy) override;
    bool CarryOver(const std::string& target, const std::string& replacement) override;
    bool Move(const std::string& copy, const std::string& to) override;
    void Remove(const std::string& path) override;

private:
    // The handle this save holds on path, or null: the file taken, under its name or the name of
    // the file it leads to, or a file the save made.
    HANDLE Held(const std::string& path) const;

    std::string taken_;
    std::optional<std::string> takenFinal_;
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
    Made* MayDelete(const std::string& path);

    std::map<std::string, Made> made_;
};
