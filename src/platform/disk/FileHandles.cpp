#include "platform/disk/FileHandles.h"

#include <string_view>
#include <vector>

#include "platform/disk/DiskFiles.h"
#include "platform/profile/ProfileText.h"
#include "platform/text/WideText.h"

namespace {

std::uint64_t Joined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool Rewound(HANDLE file) {
    return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) != FALSE;
}

}  // namespace

UniqueFile OpenDiskFile(const FilePath& path, DWORD access, DWORD share, DWORD flags) {
    UniqueFile file(CreateFileW(SystemPath(path).c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr));
    if (file && GetFileType(file.get()) != FILE_TYPE_DISK) {
        file.reset();
        SetLastError(ERROR_BAD_FILE_TYPE);
    }
    return file;
}

DiskStamp StampOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    return GetFileInformationByHandle(file, &information) ? StampFrom(information) : DiskStamp{DiskKind::Unreadable};
}

DiskStamp StampFrom(const BY_HANDLE_FILE_INFORMATION& information) {
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        return {DiskKind::Unreadable};
    }
    return {
        DiskKind::Project, Joined(information.nFileSizeHigh, information.nFileSizeLow),
        Joined(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime),
        FileIdentity{information.dwVolumeSerialNumber, Joined(information.nFileIndexHigh, information.nFileIndexLow)}};
}

DiskStamp StampAt(const FilePath& path) {
    // Opened, not asked by name, so that a link answers for the file it leads to.
    const UniqueFile file = OpenDiskFile(path, FILE_READ_ATTRIBUTES, ShareAll, FILE_FLAG_BACKUP_SEMANTICS);
    if (!file) {
        return {NamesNoFile(GetLastError()) ? DiskKind::Missing : DiskKind::Unreadable};
    }
    return StampOf(file.get());
}

SaveFiles::Reading CopyWhole(HANDLE file, HANDLE sink, std::uint64_t largest) {
    using Written = SaveFiles::Written;
    SaveFiles::Reading copied;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || !Rewound(file) || (sink && !Rewound(sink))) {
        return copied;
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > largest) {
        copied.Kind = DiskKind::TooLarge;
        return copied;
    }
    std::uint64_t total = 0;
    TFingerprint fingerprint;
    // A file on a disk fills the first read up to the buffer's size, so the first piece holds
    // the whole head.
    std::vector<char> buffer(1 << 20);
    bool first = true;
    bool begun = false;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            copied.Done = begun ? Written::Part : Written::Nothing;
            return copied;
        }
        const std::string_view piece(buffer.data(), read);
        if (first && !IsProfileText(piece.substr(0, ProfileTextProbeSize))) {
            copied.Kind = DiskKind::NotAProject;
            return copied;
        }
        first = false;
        if (read == 0) {
            break;
        }
        total += read;
        if (total > largest) {
            copied.Kind = DiskKind::TooLarge;
            copied.Done = begun ? Written::Part : Written::Nothing;
            return copied;
        }
        fingerprint.Add(piece);
        if (sink) {
            begun = true;
            DWORD written = 0;
            if (!WriteFile(sink, buffer.data(), read, &written, nullptr) || written != read) {
                copied.Done = Written::Part;
                return copied;
            }
        }
    }
    if (sink && !SetEndOfFile(sink)) {
        copied.Done = begun ? Written::Part : Written::Nothing;
        return copied;
    }
    copied.Done = Written::All;
    copied.Fingerprint = fingerprint.Value();
    return copied;
}
