#include "platform/SafeSave.h"

#include "platform/Exception.h"
#include "platform/IniFile.h"

TSafeSave::TSafeSave(std::string target, SaveFiles& files) : target_(std::move(target)), files_(files) {
    const SaveFiles::Kind kind = files_.Probe(target_);
    const bool exists = kind != SaveFiles::Kind::Missing;
    if (kind == SaveFiles::Kind::ReadOnlyFile || kind == SaveFiles::Kind::Folder ||
        (exists && !files_.CanWrite(target_))) {
        throw CannotWriteIniFile(target_);
    }
    landing_ = target_;
    if (exists) {
        // A link the copy could not be put beside the file of: saved into the file through it.
        const std::optional<std::string> final = files_.FinalPath(target_);
        landing_ = final.value_or(target_);
        intoTarget_ = !final || files_.HasOtherNames(landing_);
    }
    files_.RemoveLeftCopies(landing_);
    const std::optional<std::string> copy = files_.CreateCopyBeside(landing_);
    if (!copy) {
        // Written in place: as safe as the platform's own writes, and the only way left.
        workPath_ = target_;
        return;
    }
    copyPath_ = *copy;
    hasCopy_ = true;
    workPath_ = copyPath_;
    if (copyPath_.size() > LongestProfilePath) {
        const std::optional<std::string> work = files_.CreateWorkFile();
        if (!work || work->size() > LongestProfilePath) {
            if (work) {
                files_.Remove(*work);
            }
            files_.Remove(copyPath_);
            hasCopy_ = false;
            workPath_ = target_;
            return;
        }
        workPath_ = *work;
        hasWorkFile_ = true;
    }
    if (exists && files_.Copy(landing_, workPath_) != SaveFiles::Written::All) {
        Fail();
    }
}

TSafeSave::~TSafeSave() {
    if (hasCopy_) {
        files_.Remove(copyPath_);
    }
    RemoveWorkFile();
}

void TSafeSave::Commit() {
    if (!hasCopy_) {
        return;
    }
    if (hasWorkFile_) {
        if (files_.Copy(workPath_, copyPath_) != SaveFiles::Written::All) {
            Fail();
        }
        RemoveWorkFile();
    }
    if (!files_.Flush(copyPath_)) {
        Fail();
    }
    if (!intoTarget_) {
        // Looked at anew: another program may have made or removed the target meanwhile.
        if (files_.Probe(landing_) == SaveFiles::Kind::Missing) {
            if (!files_.Move(copyPath_, landing_)) {
                Fail();
            }
            hasCopy_ = false;
            return;
        }
        if (files_.CarryOver(landing_, copyPath_) && files_.Move(copyPath_, landing_)) {
            hasCopy_ = false;
            return;
        }
    }
    WriteIntoTarget();
}

void TSafeSave::WriteIntoTarget() {
    // Named complete before the target is touched: a clean-up can then tell the only whole new
    // version from the copy of a save killed while it wrote the copy.
    const std::optional<std::string> complete = files_.NameComplete(copyPath_);
    if (!complete) {
        Fail();
    }
    copyPath_ = *complete;
    const SaveFiles::Written written = files_.Copy(copyPath_, landing_);
    if (written == SaveFiles::Written::Nothing) {
        Fail();
    }
    if (written == SaveFiles::Written::Part || !files_.Flush(landing_)) {
        // The target is no longer whole: the complete new version stays beside it.
        hasCopy_ = false;
        throw CannotWriteIniFile(target_);
    }
    files_.Remove(copyPath_);
    hasCopy_ = false;
}

void TSafeSave::Fail() {
    if (hasCopy_) {
        files_.Remove(copyPath_);
        hasCopy_ = false;
    }
    RemoveWorkFile();
    throw CannotWriteIniFile(target_);
}

void TSafeSave::RemoveWorkFile() {
    if (hasWorkFile_) {
        files_.Remove(workPath_);
        hasWorkFile_ = false;
    }
}
