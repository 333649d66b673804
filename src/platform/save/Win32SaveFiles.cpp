#include "platform/save/Win32SaveFiles.h"

#include <windows.h>

#include <aclapi.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/disk/FileHandles.h"
#include "platform/disk/FileNames.h"
#include "platform/save/SaveCopies.h"
#include "platform/text/WideText.h"

namespace {

struct Security {
    PSECURITY_DESCRIPTOR Descriptor = nullptr;
    PSID Owner = nullptr;
    PACL Permissions = nullptr;

    Security() = default;
    Security(const Security&) = delete;
    Security& operator=(const Security&) = delete;
    ~Security() { LocalFree(Descriptor); }

    bool Read(const std::wstring& path) {
        return GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                                     OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &Owner, nullptr,
                                     &Permissions, nullptr, &Descriptor) == ERROR_SUCCESS;
    }
    // Whether the permissions are the file's own rather than taken from its folder.
    bool Protected() const {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        return GetSecurityDescriptorControl(Descriptor, &control, &revision) && (control & SE_DACL_PROTECTED);
    }
};

bool SameOwner(PSID a, PSID b) {
    return a == b || (a && b && EqualSid(a, b));
}

bool SamePermissions(PACL a, PACL b) {
    if (!a || !b) {
        return a == b;
    }
    if (a->AceCount != b->AceCount) {
        return false;
    }
    for (DWORD index = 0; index < a->AceCount; ++index) {
        void* first = nullptr;
        void* second = nullptr;
        if (!GetAce(a, index, &first) || !GetAce(b, index, &second)) {
            return false;
        }
        const WORD size = static_cast<const ACE_HEADER*>(first)->AceSize;
        if (size != static_cast<const ACE_HEADER*>(second)->AceSize || std::memcmp(first, second, size) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

namespace {

// Gives the file replacement the owner and permissions of the file target where they differ (a
// copy made in the same folder mostly has them already). Full paths in the system's Unicode
// form; false where they could not all be given.
bool CarrySecurity(const std::wstring& target, const std::wstring& replacement) {
    Security kept;
    Security made;
    if (!kept.Read(target) || !made.Read(replacement)) {
        return false;
    }
    const bool sameOwner = SameOwner(kept.Owner, made.Owner);
    if (sameOwner && SamePermissions(kept.Permissions, made.Permissions) && kept.Protected() == made.Protected()) {
        return true;
    }
    SECURITY_INFORMATION carried =
        DACL_SECURITY_INFORMATION |
        (kept.Protected() ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION);
    if (!sameOwner) {
        carried |= OWNER_SECURITY_INFORMATION;
    }
    return SetNamedSecurityInfoW(const_cast<wchar_t*>(replacement.c_str()), SE_FILE_OBJECT, carried, kept.Owner,
                                 nullptr, kept.Permissions, nullptr) == ERROR_SUCCESS;
}

}  // namespace

namespace {

// Renames the file that handle holds open with the right to delete it to the full path to.
bool RenameHeld(HANDLE file, const FilePath& to, bool replace) {
    const std::wstring name = SystemPath(to);
    std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replace;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::memcpy(rename->FileName, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    return SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
}

// Makes a new file under the first of up to a hundred names that no file has yet, made by
// nameOf; answers its name and puts the handle in made. Nothing where the folder takes no new
// file, or the name is one the system refuses.
template <typename NameOf>
std::optional<FilePath> CreateNew(NameOf nameOf, DWORD access, DWORD share, UniqueFile& made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const FilePath name = nameOf();
        made.reset(
            CreateFileW(SystemPath(name).c_str(), access, share, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (made) {
            return name;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Whether name, which no file answers to, is taken all the same: a symbolic link whose file is
// gone. Windows shows such a link's own attributes; Wine shows none, but makes no new file under
// its name. The file the probe makes where the name is free goes when its handle closes, even
// where the program is ended meanwhile.
bool LeadsNowhere(const std::wstring& name) {
    if (GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const UniqueFile probe(
        CreateFileW(name.c_str(), DELETE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return !probe && GetLastError() == ERROR_FILE_EXISTS;
}

}  // namespace

SaveFiles::Taken TWin32SaveFiles::Take(const FilePath& path) {
    taken_ = path;
    takenFinal_.reset();
    // Sharing only reading, no other program writes the file while the save runs. One that has
    // it open for writing already cannot be kept out: the save then looks again before it ends.
    for (const DWORD share : {static_cast<DWORD>(FILE_SHARE_READ), ShareReadWrite}) {
        takenFile_ = OpenDiskFile(path, GENERIC_READ | GENERIC_WRITE, share);
        if (takenFile_ || GetLastError() != ERROR_SHARING_VIOLATION) {
            break;
        }
    }
    bool made = false;
    if (!takenFile_ && NamesNoFile(GetLastError())) {
        if (!LeadsNowhere(SystemPath(path))) {
            return {{DiskKind::Missing}};
        }
        // A symbolic link whose file is gone: the file is made anew through it, so that the save
        // lands where the link leads and the link stays.
        takenFile_.reset(CreateFileW(SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!takenFile_) {
            // Never replaced by a plain file: where the link leads, no file can be made.
            return {{DiskKind::Unreadable}};
        }
        made = true;
    }
    if (!takenFile_) {
        return {{NamesNoFile(GetLastError()) ? DiskKind::Missing : DiskKind::Unreadable}};
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool told = GetFileInformationByHandle(takenFile_.get(), &information);
    const DiskStamp stamp = told ? StampFrom(information) : DiskStamp{DiskKind::Unreadable};
    // Root may write a read-only file under Wine; the attribute is the user's word all the same.
    if (stamp.Kind != DiskKind::Project || (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
        takenFile_.reset();
        return {{DiskKind::Unreadable}};
    }
    takenFinal_ = FinalPathOf(takenFile_.get());
    return {stamp, takenFinal_, information.nNumberOfLinks > 1, made};
}

DiskStamp TWin32SaveFiles::TakenNow() {
    return takenFile_ ? StampOf(takenFile_.get()) : StampAt(taken_);
}

void TWin32SaveFiles::LetGo() {
    takenFile_.reset();
}

std::optional<FilePath> TWin32SaveFiles::CreateCopyBeside(const FilePath& path) {
    // Made with the right to rename and delete it, which a folder
    // that lets the user write but not delete would refuse to a handle opened later; shared, so
    // that the save's own later handles can be opened beside this one.
    Made copy{UniqueFile{}, true};
    const std::optional<FilePath> made =
        CreateNew([&] { return CopyNameBeside(path); }, GENERIC_READ | GENERIC_WRITE | DELETE, ShareAll, copy.File);
    if (made) {
        made_[*made] = std::move(copy);
    }
    return made;
}

bool TWin32SaveFiles::OpenToProfileFunctions(const FilePath& copy) {
    const auto held = made_.find(copy);
    if (held == made_.end()) {
        return false;
    }
    // The profile functions open the file by name and share no right to delete: no handle of
    // the save may hold that right while they write. A handle opened later must get it back, to
    // rename or remove the copy after them.
    if (!OpenDiskFile(copy, DELETE, ShareAll)) {
        return false;
    }
    UniqueFile lent = OpenDiskFile(copy, GENERIC_READ | GENERIC_WRITE, ShareAll);
    if (!lent) {
        return false;
    }
    held->second = Made{std::move(lent), false};
    return true;
}

std::optional<FilePath> TWin32SaveFiles::CreateWorkFile() {
    if (!NewWorkFileName()) {
        return std::nullopt;
    }
    // The profile functions write it; like a copy open to them, it is held without the right to
    // delete it.
    Made work;
    const std::optional<FilePath> path =
        CreateNew([] { return *NewWorkFileName(); }, GENERIC_READ | GENERIC_WRITE, ShareAll, work.File);
    if (path) {
        made_[*path] = std::move(work);
    }
    return path;
}

SaveFiles::Reading TWin32SaveFiles::Read(const FilePath& path) {
    if (const HANDLE held = Held(path)) {
        return ReadWhole(held);
    }
    const UniqueFile file = OpenDiskFile(path, GENERIC_READ, ShareAll, FILE_FLAG_SEQUENTIAL_SCAN);
    return file ? ReadWhole(file.get()) : Reading{};
}

SaveFiles::Reading TWin32SaveFiles::Copy(const FilePath& from, const FilePath& to) {
    UniqueFile opened;
    HANDLE source = Held(from);
    if (!source) {
        opened = OpenDiskFile(from, GENERIC_READ, ShareAll, FILE_FLAG_SEQUENTIAL_SCAN);
        source = opened.get();
    }
    UniqueFile openedSink;
    HANDLE sink = Held(to);
    if (!sink) {
        // Another program may hold the file open, for reading or for writing, as long as it shares.
        openedSink = OpenDiskFile(to, GENERIC_WRITE, ShareReadWrite);
        sink = openedSink.get();
    }
    return source && sink ? CopyWhole(source, sink) : Reading{};
}

std::optional<DiskStamp> TWin32SaveFiles::Flush(const FilePath& path) {
    UniqueFile opened;
    HANDLE file = Held(path);
    if (!file) {
        opened = OpenDiskFile(path, GENERIC_WRITE, ShareReadWrite);
        file = opened.get();
    }
    if (!file || !FlushFileBuffers(file)) {
        return std::nullopt;
    }
    return StampOf(file);
}

std::optional<FilePath> TWin32SaveFiles::NameComplete(const FilePath& copy) {
    Made* const file = MayDelete(copy);
    const FilePath complete = CompleteNameOf(copy);
    if (!file || !RenameHeld(file->File.get(), complete, false) || !FlushFileBuffers(file->File.get())) {
        return std::nullopt;
    }
    made_[complete] = std::move(*file);
    made_.erase(copy);
    return complete;
}

bool TWin32SaveFiles::CarryOver(const FilePath& target, const FilePath& replacement) {
    // What the rename does not carry over is set here first, as Windows' own replace function
    // does; ReplaceFileW itself is not whole under Wine, which moves the target aside first.
    const std::wstring targetName = SystemPath(target);
    const std::wstring replacementName = SystemPath(replacement);
    WIN32_FILE_ATTRIBUTE_DATA kept{};
    const HANDLE copy = Held(replacement);
    if (!copy || !GetFileAttributesExW(targetName.c_str(), GetFileExInfoStandard, &kept) ||
        !SetFileTime(copy, &kept.ftCreationTime, nullptr, nullptr)) {
        return false;
    }
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = kept.dwFileAttributes == 0 ? FILE_ATTRIBUTE_NORMAL : kept.dwFileAttributes;
    return CarrySecurity(targetName, replacementName) &&
           SetFileInformationByHandle(copy, FileBasicInfo, &basic, sizeof basic);
}

bool TWin32SaveFiles::Move(const FilePath& copy, const FilePath& to) {
    Made* const file = MayDelete(copy);
    // The rename is put on the disk through a handle without the right to delete, so that the
    // file under its new name is held with that right only for the rename itself: a program that
    // reads it at once, sharing no right to delete, is not refused.
    const UniqueFile flush = OpenDiskFile(copy, GENERIC_WRITE, ShareAll);
    if (!file || !flush || !RenameHeld(file->File.get(), to, true)) {
        return false;
    }
    made_.erase(copy);
    // The copy took the file's place: that stands even where the disk does not answer the flush.
    FlushFileBuffers(flush.get());
    return true;
}

void TWin32SaveFiles::Remove(const FilePath& path) {
    if (!made_.contains(path)) {
        DeleteFileW(SystemPath(path).c_str());
        return;
    }
    // Through the handle that may delete it, whatever the folder allows.
    if (Made* const file = MayDelete(path)) {
        FILE_DISPOSITION_INFO removal{TRUE};
        SetFileInformationByHandle(file->File.get(), FileDispositionInfo, &removal, sizeof removal);
    } else {
        DeleteFileW(SystemPath(path).c_str());
    }
    made_.erase(path);
}

TWin32SaveFiles::Made* TWin32SaveFiles::MayDelete(const FilePath& path) {
    const auto held = made_.find(path);
    if (held == made_.end()) {
        return nullptr;
    }
    Made& file = held->second;
    if (!file.MayDelete) {
        // Back from the profile functions: the right to rename and delete it, taken while the
        // handle they wrote beside is still open, which shares it.
        UniqueFile deleting = OpenDiskFile(path, GENERIC_READ | GENERIC_WRITE | DELETE, ShareReadWrite);
        if (!deleting) {
            return nullptr;
        }
        file = Made{std::move(deleting), true};
    }
    return &file;
}

HANDLE TWin32SaveFiles::Held(const FilePath& path) const {
    if (takenFile_ && (path == taken_ || path == takenFinal_)) {
        return takenFile_.get();
    }
    const auto made = made_.find(path);
    return made == made_.end() ? nullptr : made->second.File.get();
}
