#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acceptance/EditorProcess.h"
#include "acceptance/Screenshot.h"

namespace {

// Every text of the program is Shift-JIS: a run in another code page tests nothing real.
class CodePageEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u)
            << "the manifest's code page was not honoured: under Wine, run with LC_ALL=ja_JP.UTF-8";
        ASSERT_NE(GetFileAttributesA(EditorPath().c_str()), INVALID_FILE_ATTRIBUTES)
            << "no editor at " << EditorPath() << "; give its path with --editor=";
    }
};

// The editor of the same build: build/windows/src/main beside build/windows/tests/acceptance.
std::string EditorBesideThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    for (int level = 0; level < 3; ++level) {
        folder = folder.substr(0, folder.find_last_of('\\'));
    }
    return folder + "\\src\\main\\ZubRuntimeEditor.exe";
}

bool TakeOption(const std::string& argument, const char* name, std::string& value) {
    const std::string prefix = std::string("--") + name + "=";
    if (argument.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    value = argument.substr(prefix.size());
    return true;
}

}  // namespace

// Options besides GoogleTest's:
//   --editor=<Windows path>        the program under test
//   --screenshots=<Linux folder>   save pictures of the program there
//   --import=<Linux path>          ImageMagick's import, for the pictures
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::string editor = EditorBesideThisProgram();
    std::string screenshots;
    std::string import;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!TakeOption(argument, "editor", editor) && !TakeOption(argument, "screenshots", screenshots) &&
            !TakeOption(argument, "import", import)) {
            fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    SetEditorPath(editor);
    SetScreenshotFolder(screenshots, import);
    testing::AddGlobalTestEnvironment(new CodePageEnvironment);
    return RUN_ALL_TESTS();
}
