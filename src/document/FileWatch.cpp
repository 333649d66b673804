#include "document/FileWatch.h"

DiskRecord TFileWatch::Look(const std::string& path) const {
    DiskRecord record{disk_.Stamp(path)};
    if (record.Stamp.Kind == DiskKind::Project) {
        const DiskContent content = disk_.Content(path);
        record.Stamp.Kind = content.Kind;
        record.Fingerprint = content.Fingerprint;
    }
    return record;
}

void TFileWatch::Watch(const std::string& path, const DiskRecord& record) {
    watched_ = path;
    record_ = record;
    answered_.reset();
}

void TFileWatch::Stop() {
    watched_.reset();
    answered_.reset();
}

DiskChange TFileWatch::Check() {
    if (!watched_) {
        return DiskChange::Unchanged;
    }
    seen_ = DiskRecord{disk_.Stamp(*watched_)};
    seenWhole_ = false;
    switch (seen_.Stamp.Kind) {
        case DiskKind::Missing:
            return record_.Stamp.Kind == DiskKind::Missing ? DiskChange::Unchanged : DiskChange::Gone;
        case DiskKind::Unreadable:
            return DiskChange::Unreadable;
        default:
            break;
    }
    if (seen_.Stamp == record_.Stamp) {
        return DiskChange::Unchanged;
    }
    const DiskContent content = disk_.Content(*watched_);
    seen_.Stamp.Kind = content.Kind;
    seen_.Fingerprint = content.Fingerprint;
    seenWhole_ = true;
    switch (content.Kind) {
        case DiskKind::Missing:
            return DiskChange::Gone;
        case DiskKind::Unreadable:
            return DiskChange::Unreadable;
        case DiskKind::NotAProject:
            return DiskChange::NotAProject;
        case DiskKind::Project:
            break;
    }
    if (record_.Stamp.Kind == DiskKind::Project && content.Fingerprint == record_.Fingerprint) {
        // Touched, not changed: the next look needs no reading.
        record_ = seen_;
        return DiskChange::Unchanged;
    }
    return DiskChange::Changed;
}

void TFileWatch::MarkAnswered() {
    answered_ = seen_;
    answeredWhole_ = seenWhole_;
}

bool TFileWatch::Answered() const {
    if (!answered_ || answered_->Stamp.Kind != seen_.Stamp.Kind) {
        return false;
    }
    if (answered_->Stamp == seen_.Stamp) {
        return true;
    }
    return answeredWhole_ && seenWhole_ && answered_->Fingerprint == seen_.Fingerprint;
}
