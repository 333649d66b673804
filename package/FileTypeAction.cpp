// The installer's custom actions for the .zrt file type: what Windows Installer's tables, as wixl
// writes them, cannot say. wixl has no component conditions and no table that removes a value
// only where it still holds what the package wrote, so the type's default is made and taken back
// here, and the shell is told, as only a program can tell it. A DLL in the package's Binary
// table, because wixl 0.101 runs a program only from an installed file or a property:
//
//     ClaimFileType     after the install: the default, where .zrt has none yet
//     ReleaseFileType   after the uninstall: the default taken back, where it is still ours
//
// Both run after the package's own registry values are written or removed, so that .zrt's key is
// the one the package made (in the user's classes; Wine puts a per-user package's classes in
// the machine's).
#include <windows.h>

#include <msi.h>
#include <shlobj.h>

#include <cstring>

namespace {

constexpr char Extension[] = ".zrt";
// Below HKEY_CURRENT_USER for the user's own file types, below HKEY_LOCAL_MACHINE for every user's.
constexpr char ExtensionKey[] = "Software\\Classes\\.zrt";
constexpr char ProgId[] = "ZubRuntimeEditor.Project";

using DefaultText = char[64];

// The key's default value; "" where the key or its default is missing, "?" where it is too long
// to be ours (it names some other program all the same).
void ReadDefault(HKEY root, const char* path, DefaultText& value) {
    DWORD size = sizeof value;
    const DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    const LSTATUS status = RegGetValueA(root, path, nullptr, types, nullptr, value, &size);
    if (status == ERROR_MORE_DATA) {
        std::strcpy(value, "?");
    } else if (status != ERROR_SUCCESS) {
        value[0] = '\0';
    }
}

// A default that another program wrote, for this user or for every user, is the user's choice
// and stays: the shell reads the user's classes first, then the machine's.
void Claim() {
    DefaultText user;
    DefaultText machine;
    ReadDefault(HKEY_CURRENT_USER, ExtensionKey, user);
    ReadDefault(HKEY_LOCAL_MACHINE, ExtensionKey, machine);
    if (user[0] != '\0' || machine[0] != '\0') {
        return;
    }
    // Opened, not created, through the classes root: the default goes into the key the package
    // made for OpenWithProgids, wherever that is.
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, Extension, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(ProgId), sizeof ProgId);
        RegCloseKey(key);
    }
}

// The default goes only where it still names this program, and the key with it once nothing is
// left in it; whatever another program wrote there since stays.
void ReleaseIn(HKEY root) {
    DefaultText value;
    ReadDefault(root, ExtensionKey, value);
    if (std::strcmp(value, ProgId) != 0) {
        return;
    }
    HKEY key;
    if (RegOpenKeyExA(root, ExtensionKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(key, nullptr);
    DWORD subkeys = 1;
    DWORD values = 1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    if (subkeys == 0 && values == 0) {
        RegDeleteKeyA(root, ExtensionKey);
    }
}

// Explorer keeps the icons and verbs of file types it has shown until it is told.
void TellTheShell() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall ClaimFileType(MSIHANDLE) {
    Claim();
    TellTheShell();
    return ERROR_SUCCESS;
}

// Windows puts a per-user package's classes under the user's key; Wine under the machine's.
extern "C" __declspec(dllexport) UINT __stdcall ReleaseFileType(MSIHANDLE) {
    ReleaseIn(HKEY_CURRENT_USER);
    ReleaseIn(HKEY_LOCAL_MACHINE);
    TellTheShell();
    return ERROR_SUCCESS;
}
