#pragma once

#include "platform/DiskFiles.h"

// The project file on disk as the Windows file functions show it, through links to the file they
// lead to.
class TWin32DiskFiles final : public DiskFiles {
public:
    DiskStamp Stamp(const std::string& path) override;
    DiskContent Content(const std::string& path) override;
    std::vector<std::string> ClearLeftCopies(const std::string& path) override;
};
