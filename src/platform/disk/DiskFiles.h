#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disk/FilePath.h"

// What a name on disk holds, as far as telling whether a file changed needs.
enum class DiskKind {
    Missing,      // nothing of that name, or no folder of that name
    Unreadable,   // there, but not to be read: a folder, a device, held by another program, not the user's
    NotAProject,  // a file that is no profile text (a program, a picture, UTF-16 big-endian)
    TooLarge,     // a file larger than any project file (LargestProjectFile)
    Project,      // a file that may be a project file
};

// The largest file taken for a project file. A project the program writes is a few kilobytes;
// the limit leaves room for other tools' sections in the file (the save is timed with a project
// of 50 MB) and stays far below the 4 GiB at which a profile reader that keeps sizes in 32 bits
// wraps them. A larger file is refused from its size before it is read, and one that grows past
// the limit while it is read is refused as soon as it does.
inline constexpr std::uint64_t LargestProjectFile = std::uint64_t{256} << 20;

// Which file a name leads to: the volume's serial number and the file's number on it. Two names
// with one identity are one file, whatever their spelling (a link, a short name, another drive
// letter for the same share). Zero where the system did not tell.
struct FileIdentity {
    std::uint64_t Volume = 0;
    std::uint64_t Index = 0;
    bool Known() const { return Volume != 0 || Index != 0; }
    bool operator==(const FileIdentity&) const = default;
};

// The size, last-write time and identity of a file: the size and time change with every write,
// the identity when another program saves by putting a new file in the old one's place.
struct DiskStamp {
    DiskKind Kind = DiskKind::Missing;
    std::uint64_t Size = 0;
    std::uint64_t WriteTime = 0;
    FileIdentity Identity{};
    bool operator==(const DiskStamp&) const = default;
};

// A 64-bit FNV-1a hash of bytes fed in pieces: files with the same bytes have the same
// fingerprint, and files that differ have different ones as good as always. It tells a file
// that was only touched from one that was changed, not a file from a forgery.
class TFingerprint {
public:
    void Add(std::string_view bytes) {
        constexpr std::uint64_t Prime = 0x100000001B3u;
        for (const char byte : bytes) {
            value_ = (value_ ^ static_cast<unsigned char>(byte)) * Prime;
        }
    }
    std::uint64_t Value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325u;
};

// A file as a load read it or a save wrote it: its stamp, and the fingerprint of its bytes.
struct FileSnapshot {
    DiskStamp Stamp{};
    std::uint64_t Fingerprint = 0;
};

// What a file holds: whether it can be a project file, and the fingerprint of its bytes.
struct DiskContent {
    DiskKind Kind = DiskKind::Missing;
    std::uint64_t Fingerprint = 0;
};

// The file system as far as watching a project file and cleaning up after saves need. Paths are
// full paths; a link is followed to the file it leads to. Only files on a
// disk are read: a device or a pipe of that name is Unreadable.
class DiskFiles {
public:
    virtual ~DiskFiles() = default;
    // Missing, Unreadable, or Project with the file's stamp; reads none of its bytes.
    virtual DiskStamp Stamp(const FilePath& path) = 0;
    // Unreadable, NotAProject or TooLarge as a load refuses it (told from its head or its size,
    // without reading the rest), or Project with the fingerprint of its bytes.
    virtual DiskContent Content(const FilePath& path) = 0;
    // Removes what saves killed before their end left beside the file and in the user's
    // temporary folder, and answers the full paths of the complete copies it kept: each the
    // whole new version a save was writing into the file when it ended, where the file now holds
    // other bytes. Called once the file was accepted as a project.
    virtual std::vector<FilePath> ClearLeftCopies(const FilePath& path) = 0;
};
