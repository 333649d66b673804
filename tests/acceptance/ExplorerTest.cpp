#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acceptance/EditorFixture.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"

// Explorer's road: a project file opened through the shell, as a double-click opens it, once
// the installer has made the editor the program for .zrt files. tools/test runs it against the
// installed editor; without that registration, as in a run from the build tree, it is skipped.

namespace {

class Explorer : public EditorTest {
protected:
    void SetUp() override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".zrt", 0, KEY_READ, &key) != ERROR_SUCCESS) {
            GTEST_SKIP() << "no program is registered for .zrt files: install the editor first";
        }
        RegCloseKey(key);
    }
};

std::string ProgramOf(DWORD processId) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (process) {
        QueryFullProcessImageNameA(process, 0, path, &size);
        CloseHandle(process);
    }
    return path;
}

}  // namespace

// Named with what the code page cannot hold too: Explorer passes the name as it is.
TEST_F(Explorer, AProjectOpenedThroughTheShellOpensInTheInstalledEditor) {
    const std::wstring path = WidePath(folder.Path()) + L"\\エクスプローラー 𠮷 Café.zrt";
    WriteFileBytes(path, "[VERSION]\r\nProductName=シェル\r\n");
    ASSERT_NO_FATAL_FAILURE(OpenThroughTheShell(path));
    EXPECT_TRUE(WaitUntil([&] { return UnicodeTextOf(Window().Handle()) == path + L" - ZUB Runtime Editor"; }))
        << Window().Caption();
    EXPECT_EQ(FieldText(ProductNameField), "シェル");
    const std::string program = ProgramOf(Editor().Id());
    EXPECT_EQ(lstrcmpiA(program.c_str(), EditorPath().c_str()), 0) << "the shell started " << program;
    PressAltF4();
    EXPECT_TRUE(NoDialogWithin(1000));
    ExpectEndsCleanly();
}
