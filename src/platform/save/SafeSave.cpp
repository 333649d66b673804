#include "platform/save/SafeSave.h"

#include "platform/Exception.h"
#include "platform/profile/IniFile.h"

SaveRoad RoadFor(const SaveConditions& conditions) {
    if (!conditions.CopyWritable) {
        return SaveRoad::InPlace;
    }
    return conditions.KeepsItsPlace ? SaveRoad::WriteInto : SaveRoad::Replace;
}

TSafeSave::TSafeSave(FilePath target, SaveFiles& files) : target_(std::move(target)), files_(files) {
    // 1. Only a file on a disk that the user may write, held against other writers from here on.
    const SaveFiles::Taken taken = files_.Take(target_);
    if (taken.Stamp.Kind == DiskKind::Unreadable) {
        throw CannotWriteIniFile(target_);
    }
    landingExists_ = taken.Stamp.Kind != DiskKind::Missing;
    landing_ = taken.FinalPath.value_or(target_);
    held_ = taken.Stamp;
    // A file made through a link was not there for the document: the save makes it anew.
    found_.Stamp = taken.MadeThroughLink ? DiskStamp{DiskKind::Missing} : taken.Stamp;
    if (taken.MadeThroughLink) {
        madeThroughLink_ = landing_;
    }

    // The copy beside the file, which the profile functions write where they can take its name;
    // else a work file in the temporary folder.
    copy_ = files_.CreateCopyBeside(landing_);
    if (copy_) {
        if (copy_->Length() <= LongestPath && files_.OpenToProfileFunctions(*copy_)) {
            workPath_ = *copy_;
        } else {
            workFile_ = files_.CreateWorkFile();
            if (workFile_ && workFile_->Length() > LongestPath) {
                Drop(workFile_);
            }
            if (workFile_) {
                workPath_ = *workFile_;
            }
        }
    }
    // A link to a file the system does not name is saved through the link, into the file.
    road_ = RoadFor({!workPath_.Empty(), landingExists_ && (!taken.FinalPath || taken.OtherNames)});

    if (road_ == SaveRoad::InPlace) {
        Drop(copy_);
        workPath_ = target_;
        if (landingExists_) {
            const SaveFiles::Reading held = files_.Read(landing_);
            if (held.Kind != DiskKind::Project) {
                Fail(held.Kind);
            }
            found_.Fingerprint = held.Fingerprint;
        }
        return;
    }
    if (landingExists_) {
        // Read once: the copy or work file and the fingerprint of what the save found, in one pass.
        const SaveFiles::Reading copied = files_.Copy(landing_, workPath_);
        if (copied.Kind != DiskKind::Project || copied.Done != SaveFiles::Written::All) {
            // A file that is no project file is never rewritten as text: a program or a picture
            // would be lost.
            Fail(copied.Kind);
        }
        found_.Fingerprint = copied.Fingerprint;
    }
}

TSafeSave::~TSafeSave() {
    DropAll();
}

void TSafeSave::BuildOn(const FilePath& base) {
    if (road_ == SaveRoad::InPlace) {
        // Written in place, the save could only write over the half-written file.
        Fail();
    }
    const SaveFiles::Reading copied = files_.Copy(base, workPath_);
    if (copied.Done != SaveFiles::Written::All || copied.Kind != DiskKind::Project) {
        Fail();
    }
    base_ = base;
}

bool TSafeSave::ChangedSinceFound() {
    return files_.TakenNow() != held_;
}

FileSnapshot TSafeSave::Commit(const std::function<void()>& writeValues) {
    if (road_ == SaveRoad::InPlace) {
        return WriteInPlace(writeValues);
    }
    try {
        writeValues();
    } catch (const EIniFileException&) {
        Fail();
    }
    std::uint64_t fingerprint = 0;
    if (workFile_) {
        // The work file's content into the copy beside the file.
        const SaveFiles::Reading copied = files_.Copy(*workFile_, *copy_);
        if (copied.Done != SaveFiles::Written::All) {
            Fail();
        }
        fingerprint = copied.Fingerprint;
        Drop(workFile_);
    } else {
        const SaveFiles::Reading read = files_.Read(*copy_);
        if (read.Done != SaveFiles::Written::All) {
            Fail();
        }
        fingerprint = read.Fingerprint;
    }
    // The copy on the disk, before anything else is touched.
    const std::optional<DiskStamp> stamp = files_.Flush(*copy_);
    if (!stamp) {
        Fail();
    }
    if (road_ == SaveRoad::Replace && (!landingExists_ || files_.CarryOver(landing_, *copy_))) {
        files_.LetGo();
        if (files_.Move(*copy_, landing_)) {
            copy_.reset();
            madeThroughLink_.reset();
            Drop(base_);
            // 4. What the save wrote, as the copy held it.
            return {*stamp, fingerprint};
        }
        if (!landingExists_ || files_.Take(landing_).Stamp.Kind == DiskKind::Unreadable) {
            Fail();
        }
    }
    road_ = RoadFor({true, true});
    return WriteIntoTarget(fingerprint);
}

FileSnapshot TSafeSave::WriteIntoTarget(std::uint64_t fingerprint) {
    // Named complete, and the name on the disk, before the target is touched: a clean-up can then
    // tell the only whole new version from the copy of a save killed while it wrote the copy.
    const std::optional<FilePath> named = files_.NameComplete(*copy_);
    if (!named) {
        Fail();
    }
    copy_ = *named;
    const SaveFiles::Reading written = files_.Copy(*copy_, landing_);
    if (written.Done == SaveFiles::Written::Nothing) {
        Fail();
    }
    const std::optional<DiskStamp> stamp =
        written.Done == SaveFiles::Written::All ? files_.Flush(landing_) : std::nullopt;
    if (!stamp) {
        // The target is no longer whole: the complete new version stays beside it.
        const FilePath kept = *copy_;
        copy_.reset();
        madeThroughLink_.reset();
        throw EUnfinishedSave(target_, kept, files_.TakenNow());
    }
    Drop(copy_);
    madeThroughLink_.reset();
    Drop(base_);
    return {*stamp, fingerprint};
}

FileSnapshot TSafeSave::WriteInPlace(const std::function<void()>& writeValues) {
    // Let go of only now, after the last look at the file, so that no other program's change
    // can come between that look and the writes unnoticed.
    files_.LetGo();  // the profile functions cannot write a file held against other writers
    writeValues();
    madeThroughLink_.reset();
    const std::optional<DiskStamp> stamp = files_.Flush(landing_);
    const SaveFiles::Reading written = files_.Read(landing_);
    if (!stamp || written.Done != SaveFiles::Written::All) {
        throw CannotWriteIniFile(target_);
    }
    // Only reading the file tells what the profile functions made of it: that is what the save
    // wrote, read at once, so that its own writes are never taken for another program's.
    return {*stamp, written.Fingerprint};
}

void TSafeSave::Fail(DiskKind found) {
    DropAll();
    switch (found) {
        case DiskKind::NotAProject:
            throw NotAProjectFile(target_);
        case DiskKind::TooLarge:
            throw TooLargeFile(target_);
        default:
            throw CannotWriteIniFile(target_);
    }
}

void TSafeSave::DropAll() {
    Drop(copy_);
    Drop(workFile_);
    Drop(madeThroughLink_);
}

void TSafeSave::Drop(std::optional<FilePath>& file) {
    if (file) {
        files_.Remove(*file);
        file.reset();
    }
}
