#include "platform/SafeSave.h"

#include "platform/Exception.h"
#include "platform/IniFile.h"

TSafeSave::TSafeSave(std::string target, SaveFiles& files) : target_(std::move(target)), files_(files) {
    const SaveFiles::Kind kind = files_.Probe(target_);
    if (kind == SaveFiles::Kind::ReadOnlyFile || kind == SaveFiles::Kind::Folder) {
        throw CannotWriteIniFile(target_);
    }
    const std::optional<std::string> copy = files_.CreateFileBeside(target_);
    if (!copy) {
        // Written in place: as safe as the platform's own writes, and the only way left.
        workPath_ = target_;
        return;
    }
    workPath_ = *copy;
    hasCopy_ = true;
    if (kind == SaveFiles::Kind::File && !files_.Copy(target_, workPath_)) {
        Fail();
    }
}

TSafeSave::~TSafeSave() {
    if (hasCopy_) {
        files_.Remove(workPath_);
    }
}

void TSafeSave::Commit() {
    if (!hasCopy_) {
        return;
    }
    if (!files_.Flush(workPath_)) {
        Fail();
    }
    // Looked at anew: another program may have made or removed the target meanwhile.
    const bool landed = files_.Probe(target_) == SaveFiles::Kind::Missing ? files_.Move(workPath_, target_)
                                                                          : files_.Replace(target_, workPath_);
    if (!landed) {
        Fail();
    }
    hasCopy_ = false;
}

void TSafeSave::Fail() {
    if (hasCopy_) {
        files_.Remove(workPath_);
        hasCopy_ = false;
    }
    throw CannotWriteIniFile(target_);
}
