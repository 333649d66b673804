#include "platform/save/FileSecurity.h"

#include <windows.h>

#include <aclapi.h>

#include <cstring>

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
