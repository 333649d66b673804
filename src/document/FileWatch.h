#pragma once

#include <optional>
#include <string>

#include "platform/disk/DiskFiles.h"

// How the project file on disk stands against what the editor last read from it or wrote to it.
enum class DiskChange {
    Unchanged,    // the same bytes (a file only touched counts as unchanged)
    Changed,      // other bytes, or a file where there was none
    Gone,         // a file was there and is no longer
    Unreadable,   // there but not to be read
    NotAProject,  // a file that is no profile text any more, or too large to be a project file
};

// Watches one project file, the one the project was last loaded from or saved to: remembers the
// file as the editor last read or wrote it, tells a change from a touch, and remembers which
// state of the file the user was last told about, so that the user hears of each change once.
class TFileWatch {
public:
    explicit TFileWatch(DiskFiles& disk) : disk_(disk) {}

    // From now on, changes are told against snapshot, the file at path as a load read it or a save
    // wrote it. What the user answered about the file before is forgotten.
    void Watch(const FilePath& path, const FileSnapshot& snapshot);
    // Nothing is watched (a project that has no file).
    void Stop();
    // The file watched.
    const std::optional<FilePath>& Watched() const { return watched_; }
    // Whether path, a file of identity, is the file watched: the same name in any letter case,
    // or the same file under another spelling.
    bool Watches(const FilePath& path, const FileIdentity& identity) const;

    // How the file stands now. It is read whole only where its stamp is neither the one recorded
    // nor the one of the state the user answered about; a file whose stamp changed but whose
    // bytes did not is taken as known as it is now.
    DiskChange ChangeNow();
    // How the file stands, as a save that read it whole found it.
    DiskChange ChangeFound(const FileSnapshot& found);
    // The user was told about the state the last ChangeNow or ChangeFound saw, and answered.
    void MarkAnswered();
    // Whether the state the last ChangeNow or ChangeFound saw is the one the user answered about.
    bool Answered() const;

private:
    // A state of the file as a look saw it: read whole or by its stamp only.
    struct Seen {
        FileSnapshot Record{};
        bool Whole = false;
        DiskChange Change = DiskChange::Unchanged;
    };
    // Judges a state read whole against the file as known.
    DiskChange Judge(const FileSnapshot& now);

    DiskFiles& disk_;
    std::optional<FilePath> watched_;
    FileSnapshot known_;
    Seen seen_;
    std::optional<Seen> answered_;
};
