#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "acceptance/EditorFixture.h"
#include "acceptance/ProjectFileCheck.h"
#include "acceptance/UserInput.h"
#include "acceptance/Wait.h"
#include "acceptance/WindowQuery.h"

// The save-changes prompt in front of New, Open and a close, with each way of answering it:
// Yes on a project that has a file (saved, then the command goes on), Yes on an untitled one
// (the save dialog first), No, Cancel, Escape, and Yes with the save dialog cancelled.

namespace {

enum class Command { New, Open, Close };
enum class Reply { YesWithFile, YesUntitled, No, Cancel, Escape, YesThenCancelTheDialog };

struct PromptCase {
    Command command;
    Reply reply;
};

std::string Name(const testing::TestParamInfo<PromptCase>& info) {
    static const char* const commands[] = {"New", "Open", "Close"};
    static const char* const replies[] = {"YesWithFile", "YesUntitled", "No",
                                          "Cancel",      "Escape",      "YesThenCancelTheDialog"};
    return std::string(commands[static_cast<int>(info.param.command)]) + "_" +
           replies[static_cast<int>(info.param.reply)];
}

class SaveChangesPrompt : public EditorTest, public testing::WithParamInterface<PromptCase> {
protected:
    void GiveCommand(Command command) {
        switch (command) {
            case Command::New:
                PressKey('N', {VK_CONTROL});
                break;
            case Command::Open:
                PressKey('O', {VK_CONTROL});
                break;
            case Command::Close:
                ClickCloseButton();
                break;
        }
    }
};

}  // namespace

TEST_P(SaveChangesPrompt, AnswerDecidesWhetherToSaveAndWhetherTheCommandGoesOn) {
    const Command command = GetParam().command;
    const Reply reply = GetParam().reply;
    const std::string project = folder / "開いた.zrt";
    std::string fileName = UntitledName;

    if (reply == Reply::YesWithFile) {
        WriteFileBytes(project, "[RUNTIME]\r\nfilename=loaded\r\n");
        PressKey('O', {VK_CONTROL});
        const HWND dialog = ExpectFileDialog(OpenTitle);
        ASSERT_TRUE(dialog);
        ChooseInFileDialog(dialog, project);
        ASSERT_TRUE(MainWindowBack());
        ASSERT_TRUE(WaitUntil([&] { return FieldText(RuntimeField) == "loaded"; }));
        fileName = project;
    }
    TypeIntoField(RuntimeField, "changed");
    GiveCommand(command);

    const HWND box = ExpectPrompt(fileName);
    ASSERT_TRUE(box);
    bool goesOn = true;
    std::string savedTo;
    switch (reply) {
        case Reply::YesWithFile:
            Answer(box, IDYES);
            savedTo = project;
            break;
        case Reply::YesUntitled: {
            Answer(box, IDYES);
            const HWND dialog = ExpectFileDialog(SaveTitle);
            ASSERT_TRUE(dialog);
            EXPECT_EQ(ReadFileDialog(dialog).fileName, UntitledName);
            savedTo = folder / "保存先.zrt";
            ChooseInFileDialog(dialog, savedTo);
            break;
        }
        case Reply::No:
            Answer(box, IDNO);
            break;
        case Reply::Cancel:
            Answer(box, IDCANCEL);
            goesOn = false;
            break;
        case Reply::Escape:
            PressKey(VK_ESCAPE);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }))
                << "Escape left the prompt open";
            goesOn = false;
            break;
        case Reply::YesThenCancelTheDialog: {
            Answer(box, IDYES);
            const HWND dialog = ExpectFileDialog(SaveTitle);
            ASSERT_TRUE(dialog);
            CancelDialog(dialog);
            goesOn = false;
            break;
        }
    }

    if (!savedTo.empty()) {
        EXPECT_TRUE(WaitUntil([&] { return ReadProfileValue(savedTo, "RUNTIME", "filename") == "changed"; }))
            << "Yes did not save to " << savedTo;
    } else if (reply == Reply::No && FileExists(project)) {
        EXPECT_EQ(ReadProfileValue(project, "RUNTIME", "filename"), "loaded");
    }

    if (!goesOn) {
        // Nothing changed, and the changes are still unsaved: a close asks again.
        ASSERT_TRUE(MainWindowBack());
        EXPECT_EQ(FieldText(RuntimeField), "changed");
        EXPECT_EQ(Window().Caption(), CaptionFor(fileName));
        EXPECT_TRUE(Editor().Running());
        PressAltF4();
        const HWND again = ExpectPrompt(fileName);
        ASSERT_TRUE(again) << "the changes no longer count as unsaved";
        Answer(again, IDCANCEL);
        return;
    }

    switch (command) {
        case Command::New:
            ASSERT_TRUE(MainWindowBack());
            EXPECT_TRUE(WaitUntil([&] { return Window().Caption() == CaptionFor(UntitledName); }))
                << Window().Caption();
            for (std::size_t field = 0; field < ProjectFields.size(); ++field) {
                EXPECT_EQ(FieldText(field), "") << ProjectFields[field].Label;
            }
            // A new project is clean.
            PressAltF4();
            EXPECT_TRUE(NoDialogWithin(1000)) << "a new project asked before closing";
            ExpectEndsCleanly();
            break;
        case Command::Open: {
            const HWND dialog = ExpectFileDialog(OpenTitle);
            ASSERT_TRUE(dialog) << "the open dialog did not follow the prompt";
            CancelDialog(dialog);
            ASSERT_TRUE(MainWindowBack());
            EXPECT_EQ(FieldText(RuntimeField), "changed");
            // A save in the prompt stands; after No the changes are still unsaved.
            PressAltF4();
            if (reply == Reply::No) {
                const HWND again = ExpectPrompt(fileName);
                ASSERT_TRUE(again) << "the changes no longer count as unsaved";
                Answer(again, IDNO);
            } else {
                EXPECT_TRUE(NoDialogWithin(1000)) << "the project saved in the prompt counts as unsaved";
            }
            ExpectEndsCleanly();
            break;
        }
        case Command::Close:
            ExpectEndsCleanly();
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommandAndAnswer,
                         SaveChangesPrompt,
                         testing::Values(PromptCase{Command::New, Reply::YesWithFile},
                                         PromptCase{Command::New, Reply::YesUntitled},
                                         PromptCase{Command::New, Reply::No},
                                         PromptCase{Command::New, Reply::Cancel},
                                         PromptCase{Command::New, Reply::Escape},
                                         PromptCase{Command::New, Reply::YesThenCancelTheDialog},
                                         PromptCase{Command::Open, Reply::YesWithFile},
                                         PromptCase{Command::Open, Reply::YesUntitled},
                                         PromptCase{Command::Open, Reply::No},
                                         PromptCase{Command::Open, Reply::Cancel},
                                         PromptCase{Command::Open, Reply::Escape},
                                         PromptCase{Command::Open, Reply::YesThenCancelTheDialog},
                                         PromptCase{Command::Close, Reply::YesWithFile},
                                         PromptCase{Command::Close, Reply::YesUntitled},
                                         PromptCase{Command::Close, Reply::No},
                                         PromptCase{Command::Close, Reply::Cancel},
                                         PromptCase{Command::Close, Reply::Escape},
                                         PromptCase{Command::Close, Reply::YesThenCancelTheDialog}),
                         Name);

namespace {

class CloseRequest : public EditorTest {};

}  // namespace

// Every way of asking the window to close reaches the same question.
TEST_F(CloseRequest, EveryRouteAsksFirst) {
    TypeIntoField(RuntimeField, "unsaved");
    const struct {
        const char* route;
        std::function<void()> give;
    } routes[] = {
        {"Alt+F4", [&] { PressAltF4(); }},
        {"File, Exit", [&] { ChooseFileMenuItem('X'); }},
        {"the close button", [&] { ClickCloseButton(); }},
        {"the system menu's Close",
         [&] {
             PressKey(VK_SPACE, {VK_MENU});
             WaitUntil([&] { return FocusOf(UiThread()) != nullptr; }, 500);
             Sleep(300);
             PressKey('C');
         }},
        {"the taskbar button's Close", [&] { PostMessageA(Editor().ApplicationWindow(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.route);
        Activate();
        route.give();
        const HWND box = ExpectPrompt(UntitledName);
        ASSERT_TRUE(box);
        Answer(box, IDCANCEL);
        ASSERT_TRUE(MainWindowBack());
        EXPECT_TRUE(Editor().Running());
    }
    PressAltF4();
    const HWND box = ExpectPrompt(UntitledName);
    ASSERT_TRUE(box);
    Answer(box, IDNO);
    ExpectEndsCleanly();
}
