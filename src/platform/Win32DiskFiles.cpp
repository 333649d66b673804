#include "platform/Win32DiskFiles.h"

#include <windows.h>

#include <vector>

#include "platform/FileNames.h"
#include "platform/FileSharing.h"
#include "platform/Fingerprint.h"
#include "platform/ProfileText.h"
#include "platform/SaveCopies.h"
#include "platform/UniqueHandle.h"
#include "platform/WideText.h"

namespace {

DiskKind KindOfFailedOpen() {
    return NamesNoFile(GetLastError()) ? DiskKind::Missing : DiskKind::Unreadable;
}

std::uint64_t Joined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace

DiskStamp TWin32DiskFiles::Stamp(const std::string& path) {
    // Opened, not asked by name, so that a link answers for the file it leads to. Asking for its
    // attributes only, the open passes any other program's hold on the file.
    const UniqueFile file(CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return {KindOfFailedOpen()};
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {DiskKind::Unreadable};
    }
    return {DiskKind::Project, Joined(information.nFileSizeHigh, information.nFileSizeLow),
            Joined(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime)};
}

DiskContent TWin32DiskFiles::Content(const std::string& path) {
    const UniqueFile file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        return {KindOfFailedOpen()};
    }
    TFingerprint fingerprint;
    std::string head;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            return {DiskKind::Unreadable};
        }
        if (read == 0) {
            break;
        }
        const std::string_view bytes(buffer.data(), read);
        if (head.size() < ProfileTextProbeSize) {
            head.append(bytes.substr(0, ProfileTextProbeSize - head.size()));
        }
        fingerprint.Add(bytes);
    }
    return {IsProfileText(head) ? DiskKind::Project : DiskKind::NotAProject, fingerprint.Value()};
}

std::vector<std::string> TWin32DiskFiles::ClearLeftCopies(const std::string& path) {
    // The copies lie beside the file a link leads to.
    const std::optional<std::string> final = FinalPathOf(path);
    return final ? RemoveLeftSaveCopies(*final) : std::vector<std::string>();
}
