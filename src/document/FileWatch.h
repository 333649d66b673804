#pragma once

#include <optional>
#include <string>

#include "platform/DiskFiles.h"

// How the project file on disk stands against what the editor last read from it or wrote to it.
enum class DiskChange {
    Unchanged,    // the same bytes (a file only touched counts as unchanged)
    Changed,      // other bytes, or a file where there was none
    Gone,         // a file was there and is no longer
    Unreadable,   // there but not to be read
    NotAProject,  // a file that is no profile text any more
};

// The file on disk as it was when last read or written.
struct DiskRecord {
    DiskStamp Stamp;
    std::uint64_t Fingerprint = 0;
};

// Watches one project file: remembers the file as the editor last read or wrote it, tells a
// change from a touch, and remembers which state of the file the user was last told about, so
// that the user hears of each change once.
class TFileWatch {
public:
    explicit TFileWatch(DiskFiles& disk) : disk_(disk) {}

    // The file at path as the disk holds it now, read whole.
    DiskRecord Look(const std::string& path) const;
    // From now on, changes are told against record, the file at path after a load or a save.
    void Watch(const std::string& path, const DiskRecord& record);
    // Nothing is watched (a project that has no file).
    void Stop();
    bool Watching() const { return watched_.has_value(); }

    // How the file stands now. A file whose time changed but whose bytes did not is taken into
    // the record as it is now. The file is read whole only when its size or time changed.
    DiskChange Check();
    // The user was told about the state the last Check saw, and answered.
    void MarkAnswered();
    // Whether the state the last Check saw is the one the user answered about.
    bool Answered() const;

private:
    DiskFiles& disk_;
    std::optional<std::string> watched_;
    DiskRecord record_;
    DiskRecord seen_;         // what the last Check saw
    bool seenWhole_ = false;  // whether that Check read the file whole
    std::optional<DiskRecord> answered_;
    bool answeredWhole_ = false;
};
