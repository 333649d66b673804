#include "document/FileWatch.h"

void TFileWatch::Watch(const FilePath& path, const FileSnapshot& snapshot) {
    watched_ = path;
    known_ = snapshot;
    answered_.reset();
}

void TFileWatch::Stop() {
    watched_.reset();
    answered_.reset();
}

bool TFileWatch::Watches(const FilePath& path, const FileIdentity& identity) const {
    return watched_ && (watched_->SameName(path) || (identity.Known() && identity == known_.Stamp.Identity));
}

DiskChange TFileWatch::ChangeNow() {
    if (!watched_) {
        return DiskChange::Unchanged;
    }
    const DiskStamp stamp = disk_.Stamp(*watched_);
    if (answered_ && stamp == answered_->Record.Stamp) {
        // The state the user answered about, by size, time and identity: nothing is read again.
        seen_ = *answered_;
        return seen_.Change;
    }
    seen_ = Seen{FileSnapshot{stamp}};
    if (stamp.Kind == DiskKind::Project) {
        if (stamp == known_.Stamp) {
            return DiskChange::Unchanged;
        }
        const DiskContent content = disk_.Content(*watched_);
        seen_.Record.Stamp.Kind = content.Kind;
        seen_.Record.Fingerprint = content.Fingerprint;
    }
    return Judge(seen_.Record);
}

DiskChange TFileWatch::ChangeFound(const FileSnapshot& found) {
    seen_ = Seen{found};
    return Judge(found);
}

DiskChange TFileWatch::Judge(const FileSnapshot& now) {
    seen_.Whole = true;
    switch (now.Stamp.Kind) {
        case DiskKind::Missing:
            seen_.Change = known_.Stamp.Kind == DiskKind::Missing ? DiskChange::Unchanged : DiskChange::Gone;
            break;
        case DiskKind::Unreadable:
            seen_.Change = DiskChange::Unreadable;
            break;
        case DiskKind::NotAProject:
        case DiskKind::TooLarge:
            seen_.Change = DiskChange::NotAProject;
            break;
        case DiskKind::Project:
            if (known_.Stamp.Kind == DiskKind::Project &&
                (now.Stamp == known_.Stamp || now.Fingerprint == known_.Fingerprint)) {
                // Touched, not changed: the next look needs no reading. The same stamp is the
                // same file where the file as known has no fingerprint (a save that broke off).
                known_ = now;
                seen_.Change = DiskChange::Unchanged;
            } else {
                seen_.Change = DiskChange::Changed;
            }
            break;
    }
    return seen_.Change;
}

void TFileWatch::MarkAnswered() {
    answered_ = seen_;
}

bool TFileWatch::Answered() const {
    if (!answered_ || answered_->Change != seen_.Change) {
        return false;
    }
    if (answered_->Record.Stamp == seen_.Record.Stamp) {
        return true;
    }
    return answered_->Whole && seen_.Whole && answered_->Record.Fingerprint == seen_.Record.Fingerprint;
}
