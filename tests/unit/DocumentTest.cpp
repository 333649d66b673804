#include "document/Document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "doubles/MemoryIniFile.h"
#include "doubles/ScriptedWindow.h"

namespace {

constexpr Answer Yes = Answer::Yes;
constexpr Answer No = Answer::No;
constexpr Answer Cancel = Answer::Cancel;  // also what Escape and the box's close button answer

const FilePath Untitled(u"無題.zrt");
// Names the code page cannot hold: a character beyond the Basic Multilingual Plane, accented
// Latin, Hangul and a symbol.
const FilePath PathA(u"C:\\𠮷田\\Café.zrt");
const FilePath PathB(u"C:\\𠮷田\\한글 ☕.zrt");

ShownText CaptionFor(const FilePath& fileName) {
    return fileName + " - ZUB Runtime Editor";
}

// The file names a text holds, in order.
std::vector<std::u16string> NamesIn(const ShownText& text) {
    std::vector<std::u16string> names;
    for (const ShownText::Piece& piece : text.Pieces()) {
        if (piece.IsName) {
            names.push_back(piece.Name);
        }
    }
    return names;
}

// Everything a command may change, to tell that a command changed nothing.
struct Snapshot {
    std::vector<std::string> Values;
    FilePath FileName;
    ShownText Caption;
    FilePath SaveDialogName;
    bool Modified;
    bool HasFile;
    std::map<FilePath, MemoryIniFiles::File> Files;
    std::vector<FilePath> RecentDocuments;
    bool operator==(const Snapshot&) const = default;
};

class DocumentTest : public testing::Test {
protected:
    MemoryIniFiles files;
    ScriptedWindow window;
    TDocument document{window, files.Opener(), files};

    void SetUp() override {
        window.Document = &document;
        document.FormCreate();
    }

    void ExpectState(bool hasFile, bool modified) {
        EXPECT_EQ(document.HasFile(), hasFile);
        EXPECT_EQ(document.Modified(), modified);
    }

    // A project file at path whose every value starts with prefix.
    void WriteProject(const FilePath& path, const std::string& prefix) {
        MemoryIniFiles::File& file = files.Files[path];
        file.clear();
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            file.push_back({ProjectTable[row].Section, ProjectTable[row].Key, prefix + ProjectTable[row].Field});
        }
    }

    void Open(const FilePath& path) {
        window.OpenDialog.Answers.push_back(path);
        document.MenuFileOpenClick();
    }

    // Filed, changed: path opened and its icon edited.
    void OpenAndEdit(const FilePath& path) {
        WriteProject(path, "loaded");
        Open(path);
        window.Type(ProjectRowOf("IconFile"), "edited.ico");
    }

    void SaveAs(const FilePath& path) {
        window.SaveDialog.Answers.push_back(path);
        document.MenuFileSaveAsClick();
    }

    Snapshot Take() const {
        return {window.Values,       document.CurrentFileName(), window.Caption(), window.SaveDialog.FileName,
                document.Modified(), document.HasFile(),         files.Files,      window.RecentDocuments};
    }

    // The file at path holds exactly the edits' texts, in table order.
    void ExpectStored(const FilePath& path) {
        ASSERT_TRUE(files.Files.count(path)) << path;
        const MemoryIniFiles::File& file = files.Files.at(path);
        ASSERT_EQ(file.size(), ProjectRowCount);
        for (std::size_t row = 0; row < ProjectRowCount; ++row) {
            EXPECT_EQ(file[row].Value, window.Values[row]) << ProjectTable[row].Key;
        }
    }

    // Back to a new, clean project with nothing recorded and no files.
    void Restart() {
        files = MemoryIniFiles();
        window = ScriptedWindow();
        window.Document = &document;
        document.NewZrtFile();
    }

    bool Close() {
        bool canClose = true;
        document.FormCloseQuery(canClose);
        return canClose;
    }
};

}  // namespace

TEST_F(DocumentTest, StartsUntitledCleanAndEmpty) {
    EXPECT_EQ(document.CurrentFileName(), Untitled);
    EXPECT_EQ(window.Captions, std::vector<ShownText>{Untitled + " - ZUB Runtime Editor"});
    EXPECT_EQ(window.SaveDialog.FileName, Untitled);
    EXPECT_EQ(window.OpenDialog.FileName, FilePath());
    ExpectState(false, false);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(window.Values[row], "");
    }
    EXPECT_TRUE(Close());
    EXPECT_TRUE(window.Prompts.empty());

    window.SaveDialog.Answers.push_back(std::nullopt);
    document.MenuFileSaveClick();
    EXPECT_EQ(window.SaveDialog.Offered, std::vector<FilePath>{Untitled});
}

TEST_F(DocumentTest, TheCaptionFollowsTheTitleAsItReadsWhenTheNameChanges) {
    window.Title = "Other";
    SaveAs(PathA);
    EXPECT_EQ(window.Caption(), PathA + " - Other");
}

TEST_F(DocumentTest, AnyChangeOfAnEditMarksTheProjectChangedEvenBackToItsLoadedText) {
    OpenAndEdit(PathA);
    ExpectState(true, true);
    window.Type(ProjectRowOf("IconFile"), "loadedIconFile");
    ExpectState(true, true);

    window.PromptAnswers.push_back(Cancel);
    EXPECT_FALSE(Close());
    EXPECT_EQ(window.Prompts.size(), 1u);
}

// The prompts name the file in their exact words; Enter presses No only where Yes throws away
// the user's edits.
TEST_F(DocumentTest, ThePromptsNameTheFileInTheirExactWordsAndEnterThrowsNoEditsAway) {
    window.Type(ProjectRowOf("SpecialBuild"), "x");
    window.PromptAnswers.push_back(Cancel);
    document.MenuFileNewClick();

    ASSERT_EQ(window.Prompts.size(), 1u);
    const ShownText text = "ファイル " + Untitled + " の内容が変更されています。\r\n\r\n変更を保存しますか?";
    EXPECT_EQ(window.Prompts[0].Text, text);
    EXPECT_EQ(window.Prompts[0].Offered, Box::Buttons::YesNoCancel);
    EXPECT_EQ(window.Prompts[0].Shown, Box::Icon::Exclamation);
    EXPECT_FALSE(window.Prompts[0].NoIsDefault);

    window.PromptAnswers = {No, Cancel};
    OpenAndEdit(PathA);
    document.MenuFileNewClick();
    ASSERT_EQ(window.Prompts.size(), 3u);
    EXPECT_EQ(window.Prompts[2].Text.Pieces().front().Words, "ファイル ");
    EXPECT_EQ(NamesIn(window.Prompts[2].Text), std::vector<std::u16string>{PathA.Utf16()});

    // Another program changed the file: coming back, reading it again costs the edits.
    WriteProject(PathA, "theirs");
    window.PromptAnswers = {No};
    document.ApplicationActivate();
    ASSERT_EQ(window.Prompts.size(), 4u);
    EXPECT_TRUE(window.Prompts[3].NoIsDefault) << window.Prompts[3].Text;

    // Without edits, it costs nothing.
    WriteProject(PathB, "b");
    window.PromptAnswers = {No, No};
    Open(PathB);
    WriteProject(PathB, "theirs");
    document.ApplicationActivate();
    ASSERT_EQ(window.Prompts.size(), 6u);
    EXPECT_FALSE(window.Prompts[5].NoIsDefault) << window.Prompts[5].Text;
}

TEST_F(DocumentTest, NewEmptiesEverythingAndStartsUntitledFromEveryCleanState) {
    OpenAndEdit(PathA);
    window.PromptAnswers.push_back(No);
    window.OpenDialog.Answers.push_back(std::nullopt);
    document.MenuFileOpenClick();
    SaveAs(PathB);
    ExpectState(true, false);

    document.MenuFileNewClick();
    EXPECT_EQ(window.Prompts.size(), 1u);  // none for a clean project
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(window.Values[row], "");
    }
    EXPECT_EQ(document.CurrentFileName(), Untitled);
    EXPECT_EQ(window.Caption(), CaptionFor(Untitled));
    EXPECT_EQ(window.SaveDialog.FileName, Untitled);
    ExpectState(false, false);
}

TEST_F(DocumentTest, ASaveFirstStepThatEndsTheCommandChangesNothing) {
    struct Case {
        const char* Name;
        bool Filed;
        Answer Reply;
        bool SaveDialogRuns;
    };
    const Case cases[] = {
        {"Cancel, new", false, Cancel, false},
        {"Cancel, filed", true, Cancel, false},
        {"Yes, save dialog cancelled", false, Yes, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        // New, Open, a close, and a file named outside the open dialog (a drop).
        for (int command = 0; command < 4; ++command) {
            SCOPED_TRACE(command);
            Restart();
            if (c.Filed) {
                OpenAndEdit(PathA);
            } else {
                window.Type(ProjectRowOf("RuntimeFile"), "typed");
            }
            const Snapshot before = Take();
            const std::size_t openRuns = window.OpenDialog.Offered.size();

            window.PromptAnswers.push_back(c.Reply);
            if (c.SaveDialogRuns) {
                window.SaveDialog.Answers.push_back(std::nullopt);
            }
            if (command == 0) {
                document.MenuFileNewClick();
            } else if (command == 1) {
                document.MenuFileOpenClick();
            } else if (command == 3) {
                document.OpenNamedZrtFile(PathB);
            } else {
                document.MenuFileExitClick();
                EXPECT_EQ(window.CloseAnswers, std::vector<bool>{false});
                EXPECT_FALSE(window.Closed);
            }
            EXPECT_TRUE(Take() == before);
            EXPECT_EQ(window.Prompts.size(), 1u);
            EXPECT_EQ(window.SaveDialog.Offered.size(), c.SaveDialogRuns ? 1u : 0u);
            EXPECT_EQ(window.OpenDialog.Offered.size(), openRuns);
        }
    }
}

TEST_F(DocumentTest, NoDiscardsTheChangesAndGoesOn) {
    window.Type(ProjectRowOf("FileVerNumber"), "1.0");
    window.PromptAnswers.push_back(No);
    document.MenuFileNewClick();
    EXPECT_EQ(window.Values[ProjectRowOf("FileVerNumber")], "");
    ExpectState(false, false);
    EXPECT_TRUE(files.Files.empty());

    OpenAndEdit(PathA);
    window.PromptAnswers.push_back(No);
    document.MenuFileExitClick();
    EXPECT_TRUE(window.Closed);
    EXPECT_EQ(files.Value(PathA, "ICON", "filename"), "loadedIconFile");
}

TEST_F(DocumentTest, YesOnAFiledProjectSavesItWhereItCameFromAndGoesOn) {
    WriteProject(PathB, "other");
    OpenAndEdit(PathA);
    window.PromptAnswers.push_back(Yes);
    Open(PathB);
    EXPECT_EQ(files.Value(PathA, "ICON", "filename"), "edited.ico");
    EXPECT_EQ(window.Values[ProjectRowOf("IconFile")], "otherIconFile");
    EXPECT_EQ(window.Caption(), CaptionFor(PathB));
    ExpectState(true, false);
    EXPECT_TRUE(window.SaveDialog.Offered.empty());

    window.Type(ProjectRowOf("ManifestFile"), "m.manifest");
    window.PromptAnswers.push_back(Yes);
    document.MenuFileNewClick();
    EXPECT_EQ(files.Value(PathB, "MANIFEST", "filename"), "m.manifest");
    EXPECT_EQ(window.Values[ProjectRowOf("ManifestFile")], "");
    ExpectState(false, false);

    OpenAndEdit(PathA);
    window.PromptAnswers.push_back(Yes);
    document.MenuFileExitClick();
    EXPECT_TRUE(window.Closed);
    EXPECT_EQ(document.CurrentFileName(), PathA);
    ExpectState(true, false);
    EXPECT_TRUE(window.SaveDialog.Offered.empty());
}

TEST_F(DocumentTest, YesOnANewProjectAsksForANameSavesThereAndGoesOn) {
    window.Type(ProjectRowOf("RuntimeFile"), "rt.exe");
    window.PromptAnswers.push_back(Yes);
    window.SaveDialog.Answers.push_back(PathA);
    document.MenuFileNewClick();
    EXPECT_EQ(window.SaveDialog.Offered, std::vector<FilePath>{Untitled});
    EXPECT_EQ(files.Value(PathA, "RUNTIME", "filename"), "rt.exe");
    EXPECT_EQ(window.Captions.end()[-2], CaptionFor(PathA));  // named before it was saved
    EXPECT_EQ(window.Caption(), CaptionFor(Untitled));
    EXPECT_EQ(window.Values[ProjectRowOf("RuntimeFile")], "");
    ExpectState(false, false);

    // The save stands when the open dialog is then cancelled.
    window.Type(ProjectRowOf("RuntimeFile"), "rt2.exe");
    window.PromptAnswers.push_back(Yes);
    window.SaveDialog.Answers.push_back(PathB);
    window.OpenDialog.Answers.push_back(std::nullopt);
    document.MenuFileOpenClick();
    EXPECT_EQ(files.Value(PathB, "RUNTIME", "filename"), "rt2.exe");
    EXPECT_EQ(window.Values[ProjectRowOf("RuntimeFile")], "rt2.exe");
    EXPECT_EQ(window.Caption(), CaptionFor(PathB));
    ExpectState(true, false);

    document.MenuFileNewClick();
    window.Type(ProjectRowOf("FileVersion"), "v");
    window.PromptAnswers.push_back(Yes);
    window.SaveDialog.Answers.push_back(PathA);
    document.MenuFileExitClick();
    EXPECT_TRUE(window.Closed);
    EXPECT_EQ(files.Value(PathA, "VERSION", "FileVersion"), "v");
}

TEST_F(DocumentTest, OpenWithoutChangesShowsTheOpenDialogAtOnce) {
    WriteProject(PathA, "a");
    Open(PathA);
    EXPECT_TRUE(window.Prompts.empty());
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(window.Values[row], "a" + std::string(ProjectTable[row].Field));
    }
    EXPECT_EQ(document.CurrentFileName(), PathA);
    EXPECT_EQ(window.Caption(), CaptionFor(PathA));
    EXPECT_EQ(window.SaveDialog.FileName, PathA);
    ExpectState(true, false);

    const Snapshot before = Take();
    window.OpenDialog.Answers.push_back(std::nullopt);
    document.MenuFileOpenClick();
    EXPECT_TRUE(Take() == before);
    // The open dialog offers what was chosen in it last.
    EXPECT_EQ(window.OpenDialog.Offered, (std::vector<FilePath>{FilePath(), PathA}));
}

// The command line and a drop name the file themselves; the shell hears of every file opened
// or saved.
TEST_F(DocumentTest, ANamedFileOpensAsOpensTheDialogsChoiceAndTheShellHearsOfOpensAndSaves) {
    WriteProject(PathA, "a");
    window.Type(ProjectRowOf("RuntimeFile"), "typed");
    window.PromptAnswers.push_back(No);
    document.OpenNamedZrtFile(PathA);
    EXPECT_EQ(window.Prompts.size(), 1u);
    EXPECT_TRUE(window.OpenDialog.Offered.empty());
    EXPECT_EQ(window.Values[ProjectRowOf("RuntimeFile")], "aRuntimeFile");
    EXPECT_EQ(window.Caption(), CaptionFor(PathA));
    EXPECT_EQ(window.SaveDialog.FileName, PathA);
    ExpectState(true, false);

    // Clean, it opens at once; a name that does not exist opens empty under that name.
    document.OpenNamedZrtFile(PathB);
    EXPECT_EQ(window.Prompts.size(), 1u);
    EXPECT_EQ(window.Values[ProjectRowOf("RuntimeFile")], "");
    EXPECT_EQ(window.Caption(), CaptionFor(PathB));
    ExpectState(true, false);

    window.Type(ProjectRowOf("RuntimeFile"), "b");
    document.MenuFileSaveClick();
    SaveAs(PathA);
    EXPECT_EQ(window.RecentDocuments, (std::vector<FilePath>{PathA, PathB, PathB, PathA}));
}

TEST_F(DocumentTest, NoOnASecondOpenThenCancelKeepsTheEditedText) {
    OpenAndEdit(PathA);
    window.PromptAnswers.push_back(No);
    window.OpenDialog.Answers.push_back(std::nullopt);
    document.MenuFileOpenClick();
    EXPECT_EQ(window.Values[ProjectRowOf("IconFile")], "edited.ico");
    EXPECT_EQ(document.CurrentFileName(), PathA);
    ExpectState(true, true);
}

TEST_F(DocumentTest, OpeningWhatHoldsNoProjectGivesAFiledCleanProjectWithEmptyValues) {
    const FilePath Missing(u"C:\\p\\missing.zrt");
    OpenAndEdit(PathA);
    window.PromptAnswers.push_back(No);
    Open(Missing);
    for (std::size_t row = 0; row < ProjectRowCount; ++row) {
        EXPECT_EQ(window.Values[row], "");
    }
    EXPECT_EQ(window.Caption(), CaptionFor(Missing));
    ExpectState(true, false);
    EXPECT_EQ(files.Files.count(Missing), 0u);

    // Saving it needs no name.
    document.MenuFileSaveClick();
    ExpectStored(Missing);
}

// A file that exists but cannot be read, or is no project file, is named in the error, and the
// project on screen stays as it was, so that its next save cannot wipe the file.
TEST_F(DocumentTest, OpenOfAFileThatCannotBeReadChangesNothing) {
    OpenAndEdit(PathA);
    for (const EIniFileException& error : {CannotReadIniFile(PathB), NotAProjectFile(PathB)}) {
        files.RefuseLoad(PathB, error);
        window.PromptAnswers.push_back(No);
        const Snapshot before = Take();
        try {
            Open(PathB);
            FAIL() << "the open did not raise";
        } catch (const EIniFileException& raised) {
            EXPECT_EQ(raised.Message(), error.Message());
        }
        EXPECT_TRUE(Take() == before);
    }
}

// A save that ended while it wrote into the file left the whole new version beside it: an open
// that accepts the file names the file and the copy; one that refuses it leaves the copies alone.
TEST_F(DocumentTest, AnOpenTellsWhereAnUnfinishedSaveLeftItsWork) {
    const FilePath copy = MemoryIniFiles::CompleteCopyOf(PathA);
    files.UnwrittenCopies[PathA] = {copy};
    WriteProject(PathA, "half");
    window.PromptAnswers = {Answer::Ok};
    Open(PathA);
    EXPECT_EQ(window.Values[ProjectRowOf("IconFile")], "halfIconFile");
    ASSERT_EQ(window.Prompts.size(), 1u);
    const Box& notice = window.Prompts[0];
    EXPECT_EQ(NamesIn(notice.Text), (std::vector<std::u16string>{PathA.Utf16(), copy.Utf16()})) << notice.Text;
    EXPECT_TRUE(notice.Text.Pieces().back().Words.ends_with(".")) << notice.Text;
    EXPECT_EQ(notice.Offered, Box::Buttons::Ok);
    files.RefuseLoad(PathA, NotAProjectFile(PathA));
    EXPECT_THROW(Open(PathA), EIniFileException);
    EXPECT_EQ(window.Prompts.size(), 1u);
}

// The editor's own save that broke off while it wrote into the file: the project stays changed,
// the next save neither asks about the half-written file nor builds on it, and the complete copy
// goes once that save has landed.
TEST_F(DocumentTest, TheNextSaveAfterABrokenWriteFinishesItWithoutAsking) {
    OpenAndEdit(PathA);
    files.BreakOffCommit(PathA);
    EXPECT_THROW(document.MenuFileSaveClick(), EUnfinishedSave);
    ExpectState(true, true);
    const FilePath copy = MemoryIniFiles::CompleteCopyOf(PathA);
    ASSERT_EQ(files.Files.count(copy), 1u);
    window.Type(ProjectRowOf("SpecialBuild"), "after");
    document.ApplicationActivate();
    document.MenuFileSaveClick();
    EXPECT_TRUE(window.Prompts.empty());
    EXPECT_EQ(files.Files.count(copy), 0u);
    ExpectStored(PathA);
    ExpectState(true, false);
}

// A program that held the file open for writing before the save took it changes it while the
// save runs: the save asks before it writes over that, and No writes nothing.
TEST_F(DocumentTest, AChangeMadeWhileASaveRunsIsAskedAboutBeforeItIsWrittenOver) {
    OpenAndEdit(PathA);
    files.ChangeDuringSave(PathA);
    window.PromptAnswers.push_back(No);
    document.MenuFileSaveClick();
    ASSERT_EQ(window.Prompts.size(), 1u);
    EXPECT_EQ(window.Prompts[0].Text, OverwriteQuestion(PathA).Text);
    EXPECT_TRUE(window.Prompts[0].NoIsDefault);
    EXPECT_EQ(files.Value(PathA, "ICON", "filename"), "loadedIconFile");
    ExpectState(true, true);
}

// The file a project came from gets only what the user changed; Save As to another file and
// the first save of a new project write every value.
TEST_F(DocumentTest, ASaveBackWritesOnlyTheChangedValues) {
    OpenAndEdit(PathA);
    window.Type(ProjectRowOf("OriginalFilename"), "orig.exe");
    document.MenuFileSaveClick();
    EXPECT_EQ(files.Written, (std::vector<std::string>{"ICON/filename", "VERSION/OriginalFilename"}));

    files.Written.clear();
    window.Type(ProjectRowOf("OriginalFilename"), "again.exe");
    SaveAs(PathB);
    EXPECT_EQ(files.Written.size(), ProjectRowCount);
    ExpectStored(PathB);

    files.Written.clear();
    window.Type(ProjectRowOf("ProductVerNumber"), "9.9");
    document.MenuFileSaveClick();
    EXPECT_EQ(files.Written, std::vector<std::string>{"VERSION/ProductVerNumber"});

    files.Written.clear();
    window.PromptAnswers.push_back(No);
    document.MenuFileNewClick();
    window.Type(ProjectRowOf("RuntimeFile"), "rt");
    window.SaveDialog.Answers.push_back(PathB);
    document.MenuFileSaveClick();
    EXPECT_EQ(files.Written.size(), ProjectRowCount);
    ExpectStored(PathB);
}

TEST_F(DocumentTest, SaveAsksForANameOnlyForANewProject) {
    window.SaveDialog.Answers.push_back(std::nullopt);
    const Snapshot before = Take();
    document.MenuFileSaveClick();
    EXPECT_TRUE(Take() == before);

    window.Type(ProjectRowOf("FileDescription"), "pv");
    window.SaveDialog.Answers.push_back(PathA);
    document.MenuFileSaveClick();
    EXPECT_EQ(window.SaveDialog.Offered, (std::vector<FilePath>{Untitled, Untitled}));
    ExpectStored(PathA);
    EXPECT_EQ(window.Caption(), CaptionFor(PathA));
    ExpectState(true, false);

    window.Type(ProjectRowOf("FileDescription"), "pv2");
    document.MenuFileSaveClick();
    document.MenuFileSaveClick();  // clean: saved all the same
    ExpectStored(PathA);
    EXPECT_EQ(window.SaveDialog.Offered.size(), 2u);
    EXPECT_EQ(files.Opened.size(), 3u);
    ExpectState(true, false);
    EXPECT_TRUE(window.Prompts.empty());
}

TEST_F(DocumentTest, SaveAsAlwaysAsksAndALaterSaveWritesToTheNewName) {
    SaveAs(PathA);  // a clean new project is saved too
    ExpectStored(PathA);
    ExpectState(true, false);

    window.Type(ProjectRowOf("LegalCopyright"), "(c)");
    const Snapshot before = Take();
    window.SaveDialog.Answers.push_back(std::nullopt);
    document.MenuFileSaveAsClick();
    EXPECT_TRUE(Take() == before);

    SaveAs(PathB);
    EXPECT_EQ(window.SaveDialog.Offered, (std::vector<FilePath>{Untitled, PathA, PathA}));
    EXPECT_EQ(window.Caption(), CaptionFor(PathB));
    ExpectState(true, false);
    window.Type(ProjectRowOf("LegalCopyright"), "(c) 2");
    document.MenuFileSaveClick();
    ExpectStored(PathB);
    EXPECT_EQ(files.Value(PathA, "VERSION", "LegalCopyright"), "");
}

TEST_F(DocumentTest, ACleanProjectClosesWithoutAPrompt) {
    OpenAndEdit(PathA);
    document.MenuFileSaveClick();
    document.MenuFileExitClick();
    EXPECT_EQ(window.CloseAnswers, std::vector<bool>{true});
    EXPECT_TRUE(window.Prompts.empty());
}

// A store that fails raises out of the command, which leaves its flags and its steps as they were.
class FailingStoreTest : public DocumentTest {
protected:
    void ExpectRaised(const FilePath& path, void (TDocument::*command)()) {
        try {
            (document.*command)();
            FAIL() << "the command did not raise";
        } catch (const EIniFileException& error) {
            EXPECT_EQ(error.Message(), path + " に書き込めません");
        }
    }
};

TEST_F(FailingStoreTest, SaveOfAFiledProjectKeepsItsFlagsAndFileAndTheNextSaveWorks) {
    OpenAndEdit(PathA);
    const auto before = files.Files;
    files.RefuseCommit(PathA);
    ExpectRaised(PathA, &TDocument::MenuFileSaveClick);
    EXPECT_EQ(window.Caption(), CaptionFor(PathA));
    EXPECT_EQ(files.Files, before);
    ExpectState(true, true);
    EXPECT_EQ(window.RecentDocuments, std::vector<FilePath>{PathA}) << "only the open, not the failed save";

    files.AllowWrites(PathA);
    document.MenuFileSaveClick();
    ExpectStored(PathA);
    ExpectState(true, false);
}

TEST_F(FailingStoreTest, SaveOfANewProjectKeepsTheChosenNameButStillAsksNextTime) {
    window.Type(ProjectRowOf("RuntimeFile"), "rt.exe");
    files.RefuseWrites(PathA);
    window.SaveDialog.Answers.push_back(PathA);
    ExpectRaised(PathA, &TDocument::MenuFileSaveClick);
    EXPECT_EQ(document.CurrentFileName(), PathA);
    EXPECT_EQ(window.Caption(), CaptionFor(PathA));
    ExpectState(false, true);

    window.SaveDialog.Answers.push_back(PathB);
    document.MenuFileSaveClick();
    EXPECT_EQ(window.SaveDialog.Offered, (std::vector<FilePath>{Untitled, PathA}));
    ExpectStored(PathB);
    ExpectState(true, false);
}

TEST_F(FailingStoreTest, SaveAsNamesTheNewPathAndKeepsTheFlags) {
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        OpenAndEdit(PathA);
        if (!modified) {
            document.MenuFileSaveClick();
        }
        files.RefuseWrites(PathB);
        window.SaveDialog.Answers.push_back(PathB);
        ExpectRaised(PathB, &TDocument::MenuFileSaveAsClick);
        EXPECT_EQ(document.CurrentFileName(), PathB);
        EXPECT_EQ(window.Caption(), CaptionFor(PathB));
        ExpectState(true, modified);

        files.AllowWrites(PathB);
        SaveAs(FilePath(u"C:\\p\\c.zrt"));
        ExpectStored(FilePath(u"C:\\p\\c.zrt"));
        ExpectState(true, false);
    }
}

TEST_F(FailingStoreTest, ASaveFirstStepThatFailsRunsNoFurtherStep) {
    for (const bool filed : {true, false}) {
        for (int command = 0; command < 3; ++command) {
            SCOPED_TRACE(testing::Message() << "filed " << filed << ", command " << command);
            Restart();
            const FilePath target = filed ? PathA : PathB;
            if (filed) {
                OpenAndEdit(PathA);
            } else {
                window.Type(ProjectRowOf("IconFile"), "edited.ico");
                window.SaveDialog.Answers = {PathB, PathB};
            }
            files.RefuseCommit(target);
            const std::size_t openRuns = window.OpenDialog.Offered.size();

            window.PromptAnswers = {Yes, Yes};
            void (TDocument::*const commands[])() = {&TDocument::MenuFileNewClick, &TDocument::MenuFileOpenClick,
                                                     &TDocument::MenuFileExitClick};
            ExpectRaised(target, commands[command]);
            EXPECT_EQ(window.Values[ProjectRowOf("IconFile")], "edited.ico");
            EXPECT_EQ(document.CurrentFileName(), target);
            EXPECT_EQ(window.Caption(), CaptionFor(target));
            ExpectState(filed, true);
            EXPECT_EQ(window.OpenDialog.Offered.size(), openRuns);
            EXPECT_FALSE(window.Closed);

            // With the store working again, the same command goes through.
            files.AllowWrites(target);
            window.OpenDialog.Answers.push_back(std::nullopt);
            (document.*commands[command])();
            EXPECT_EQ(files.Value(target, "ICON", "filename"), "edited.ico");
            EXPECT_EQ(window.Values[ProjectRowOf("IconFile")], command == 0 ? "" : "edited.ico");
            EXPECT_EQ(window.Closed, command == 2);
            EXPECT_FALSE(document.Modified());
        }
    }
}

TEST_F(FailingStoreTest, ACloseQueryThatRaisesHasRefusedTheClose) {
    OpenAndEdit(PathA);
    files.RefuseWrites(PathA);
    window.PromptAnswers.push_back(Yes);
    bool canClose = true;
    EXPECT_THROW(document.FormCloseQuery(canClose), EIniFileException);
    EXPECT_FALSE(canClose);
}
