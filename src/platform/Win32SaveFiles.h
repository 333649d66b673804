#pragma once

#include "platform/SafeSave.h"

// The operations of a save over the Windows file functions. Names pass as UTF-16 converted
// from the ANSI code page, so that they are exactly the names given.
class TWin32SaveFiles final : public SaveFiles {
public:
    Kind Probe(const std::string& path) override;
    std::optional<std::string> CreateFileBeside(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to) override;
    bool Flush(const std::string& path) override;
    bool Replace(const std::string& target, const std::string& replacement) override;
    bool Move(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
};
