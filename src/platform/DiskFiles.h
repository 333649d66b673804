#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a name on disk holds, as far as telling whether a file changed needs.
enum class DiskKind {
    Missing,      // nothing of that name, or no folder of that name
    Unreadable,   // there, but not to be read: a folder, held by another program, not the user's
    NotAProject,  // a file that is no profile text (a program, a picture, UTF-16 big-endian)
    Project,      // a file that may be a project file
};

// The size and last-write time of a file, which change with every write.
struct DiskStamp {
    DiskKind Kind = DiskKind::Missing;
    std::uint64_t Size = 0;
    std::uint64_t WriteTime = 0;
    bool operator==(const DiskStamp&) const = default;
};

// What a file holds, read whole: whether it can be a project file, and its fingerprint.
struct DiskContent {
    DiskKind Kind = DiskKind::Missing;
    std::uint64_t Fingerprint = 0;
};

// The file system as far as watching and opening a project file need. Paths are full paths in
// the ANSI code page; a link is followed to the file it leads to.
class DiskFiles {
public:
    virtual ~DiskFiles() = default;
    // Missing, Unreadable, or Project with the file's size and time; reads none of its bytes.
    virtual DiskStamp Stamp(const std::string& path) = 0;
    // Reads the file whole: Unreadable, NotAProject as a load refuses it, or Project with the
    // fingerprint of its bytes.
    virtual DiskContent Content(const std::string& path) = 0;
    // Removes what saves killed before their end left beside the file, and answers the full paths
    // of the complete copies it kept: each the whole new version a save was writing into the
    // file when it ended, where the file now holds other bytes.
    virtual std::vector<std::string> ClearLeftCopies(const std::string& path) = 0;
};
