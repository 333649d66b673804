#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/SafeSave.h"
#include "platform/UniqueHandle.h"

// The operations of a save over the Windows file functions. Names pass as UTF-16 converted
// from the ANSI code page, so that they are exactly the names given, in the long-path form
// where they are too long otherwise. One object serves one save: it holds the copy it made
// until the copy is moved or removed.
class TWin32SaveFiles final : public SaveFiles {
public:
    Kind Probe(const std::string& path) override;
    bool CanWrite(const std::string& path) override;
    std::optional<std::string> FinalPath(const std::string& path) override;
    bool HasOtherNames(const std::string& path) override;
    void RemoveLeftCopies(const std::string& path) override;
    std::optional<std::string> CreateCopyBeside(const std::string& path) override;
    std::optional<std::string> NameComplete(const std::string& copy) override;
    std::optional<std::string> CreateWorkFile() override;
    Written Copy(const std::string& from, const std::string& to) override;
    bool Flush(const std::string& path) override;
    bool CarryOver(const std::string& target, const std::string& replacement) override;
    bool Move(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;

private:
    // Lets go of the copy, if path names it, so that it can be renamed or deleted.
    void Release(const std::string& path);

    // A handle on the copy that refuses a delete: another save's clean-up leaves it alone.
    UniqueFile hold_;
    std::string held_;
};
