#pragma once

#include "platform/disk/DiskFiles.h"

// The project file on disk as the Windows file functions show it, through links to the file they
// lead to.
class TWin32DiskFiles final : public DiskFiles {
public:
    DiskStamp Stamp(const FilePath& path) override;
    DiskContent Content(const FilePath& path) override;
    std::vector<FilePath> ClearLeftCopies(const FilePath& path) override;
};
