#include "platform/save/SafeSave.h"

#include "platform/Exception.h"
#include "platform/IniFile.h"

TSafeSave::TSafeSave(std::string target, SaveFiles& files) : target_(std::move(target)), files_(files) {
    // 1. Only a file on a disk that the user may write, held against other writers from here on.
    const SaveFiles::Taken taken = files_.Take(target_);
    if (taken.Stamp.Kind == DiskKind::Unreadable) {
        throw CannotWriteIniFile(target_);
    }
    exists_ = taken.Stamp.Kind != DiskKind::Missing;
    found_.Stamp = taken.Stamp;
    landing_ = taken.FinalPath.value_or(target_);
    // A link whose file has no ANSI name is saved through the link, into the file.
    intoTarget_ = exists_ && (!taken.FinalPath || taken.OtherNames);

    workFile_ = files_.CreateWorkFile();
    if (workFile_ && workFile_->size() > LongestProfilePath) {
        Drop(workFile_);
    }
    if (!workFile_) {
        // Written in place: as safe as the platform's own writes, and the only way left.
        if (exists_) {
            const SaveFiles::Copied held = files_.Read(landing_);
            if (held.Kind == DiskKind::NotAProject) {
                throw NotAProjectFile(target_);
            }
            found_.Fingerprint = held.Fingerprint;
        }
        files_.LetGo();
        workPath_ = target_;
        return;
    }
    workPath_ = *workFile_;
    if (exists_) {
        // Read once: the work file and the fingerprint of what the save found, in one pass.
        const SaveFiles::Copied copied = files_.Copy(landing_, *workFile_);
        if (copied.Kind == DiskKind::NotAProject) {
            // Never rewritten as text: a program or a picture would be lost.
            Drop(workFile_);
            throw NotAProjectFile(target_);
        }
        if (copied.Done != SaveFiles::Written::All) {
            Fail();
        }
        found_.Fingerprint = copied.Fingerprint;
    }
}

TSafeSave::~TSafeSave() {
    Drop(copy_);
    Drop(workFile_);
}

void TSafeSave::BuildOn(const std::string& base) {
    if (!workFile_) {
        // Written in place, the save could only write over the half-written file.
        Fail();
    }
    const SaveFiles::Copied copied = files_.Copy(base, *workFile_);
    if (copied.Done != SaveFiles::Written::All || copied.Kind != DiskKind::Project) {
        Fail();
    }
    base_ = base;
}

bool TSafeSave::ChangedSinceFound() {
    return files_.TakenNow() != found_.Stamp;
}

FileSnapshot TSafeSave::Commit() {
    if (!workFile_) {
        // In place, the profile functions wrote the target: only reading it tells what it holds.
        const std::optional<DiskStamp> stamp = files_.Flush(landing_);
        if (!stamp) {
            Fail();
        }
        return {*stamp, files_.Read(landing_).Fingerprint};
    }
    // 4. The work file becomes a new copy beside the file, on the disk.
    copy_ = files_.CreateCopyBeside(landing_);
    if (!copy_) {
        // The folder takes no new file: the work file is the complete copy.
        const SaveFiles::Copied read = files_.Read(*workFile_);
        return WriteIntoTarget(workFile_, read.Fingerprint);
    }
    const SaveFiles::Copied copied = files_.Copy(*workFile_, *copy_);
    if (copied.Done != SaveFiles::Written::All) {
        Fail();
    }
    Drop(workFile_);
    const std::optional<DiskStamp> stamp = files_.Flush(*copy_);
    if (!stamp) {
        Fail();
    }
    if (!intoTarget_ && (!exists_ || files_.CarryOver(landing_, *copy_))) {
        files_.LetGo();
        if (files_.Move(*copy_, landing_)) {
            copy_.reset();
            Drop(base_);
            // 5. What the save wrote, as the copy held it.
            return {*stamp, copied.Fingerprint};
        }
        if (!exists_ || files_.Take(landing_).Stamp.Kind == DiskKind::Unreadable) {
            Fail();
        }
    }
    return WriteIntoTarget(copy_, copied.Fingerprint);
}

FileSnapshot TSafeSave::WriteIntoTarget(std::optional<std::string>& complete, std::uint64_t fingerprint) {
    // Named complete, and the name on the disk, before the target is touched: a clean-up can then
    // tell the only whole new version from the copy of a save killed while it wrote the copy.
    const std::optional<std::string> named = files_.NameComplete(*complete);
    if (!named) {
        Fail();
    }
    complete = *named;
    const SaveFiles::Copied written = files_.Copy(*complete, landing_);
    if (written.Done == SaveFiles::Written::Nothing) {
        Fail();
    }
    const std::optional<DiskStamp> stamp =
        written.Done == SaveFiles::Written::All ? files_.Flush(landing_) : std::nullopt;
    if (!stamp) {
        // The target is no longer whole: the complete new version stays beside it.
        const std::string kept = *complete;
        complete.reset();
        throw EUnfinishedSave(target_, kept, files_.TakenNow());
    }
    Drop(complete);
    Drop(base_);
    return {*stamp, fingerprint};
}

void TSafeSave::Fail() {
    Drop(copy_);
    Drop(workFile_);
    throw CannotWriteIniFile(target_);
}

void TSafeSave::Drop(std::optional<std::string>& file) {
    if (file) {
        files_.Remove(*file);
        file.reset();
    }
}
