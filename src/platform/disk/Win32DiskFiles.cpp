#include "platform/disk/Win32DiskFiles.h"

#include <windows.h>

#include "platform/disk/FileHandles.h"
#include "platform/disk/FileNames.h"
#include "platform/save/SaveCopies.h"

DiskStamp TWin32DiskFiles::Stamp(const FilePath& path) {
    return StampAt(path);
}

DiskContent TWin32DiskFiles::Content(const FilePath& path) {
    const UniqueFile file = OpenDiskFile(path, GENERIC_READ, ShareAll, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file) {
        return {NamesNoFile(GetLastError()) ? DiskKind::Missing : DiskKind::Unreadable};
    }
    const SaveFiles::Reading read = ReadWhole(file.get());
    if (read.Kind != DiskKind::Project) {
        return {read.Kind};
    }
    return {read.Done == SaveFiles::Written::All ? DiskKind::Project : DiskKind::Unreadable, read.Fingerprint};
}

std::vector<FilePath> TWin32DiskFiles::ClearLeftCopies(const FilePath& path) {
    RemoveLeftWorkFiles();
    // The copies lie beside the file a link leads to.
    const std::optional<FilePath> final = FinalPathOf(path);
    return final ? RemoveLeftSaveCopies(*final) : std::vector<FilePath>();
}
