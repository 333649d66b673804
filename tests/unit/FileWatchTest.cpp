#include "document/FileWatch.h"

#include <gtest/gtest.h>

#include <string>

#include "document/DiskQuestion.h"
#include "doubles/MemoryIniFile.h"

namespace {

const FilePath Path(u"C:\\𠮷田\\Café.zrt");

class FileWatchTest : public testing::Test {
protected:
    MemoryIniFiles disk;
    TFileWatch watch{disk};

    void SetUp() override {
        disk.Files[Path] = {{"VERSION", "Comments", "mine"}};
        WatchAnew();
    }
    // As after a load or a save: the file as it is now.
    void WatchAnew() { watch.Watch(Path, {disk.Stamp(Path), disk.Content(Path).Fingerprint}); }
    void ChangeFile(const std::string& comments) { disk.Files[Path] = {{"VERSION", "Comments", comments}}; }
};

}  // namespace

// A new time over the same bytes is a touch: unchanged, and taken into the record, so that the
// next look needs no reading of the file.
TEST_F(FileWatchTest, ATouchedFileIsUnchangedAndReadOnlyOnce) {
    const int reads = disk.WholeReads;
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Unchanged);
    EXPECT_EQ(disk.WholeReads, reads);
    disk.Touch(Path);
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Unchanged);
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Unchanged);
    EXPECT_EQ(disk.WholeReads, reads + 1);
}

// The user hears of each change once: the state answered about, touched or not, stays answered;
// a further change is news again.
TEST_F(FileWatchTest, AChangeIsAnsweredOnceAndTheNextChangeIsNews) {
    ChangeFile("theirs");
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);
    EXPECT_FALSE(watch.Answered());
    watch.MarkAnswered();
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);
    EXPECT_TRUE(watch.Answered());
    disk.Touch(Path);
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);
    EXPECT_TRUE(watch.Answered());
    // Of the same size, told by its bytes.
    ChangeFile("THEIRS");
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);
    EXPECT_FALSE(watch.Answered());
    // The same bytes in another order, as a merge that swapped two lines leaves them.
    disk.Files[Path] = {{"VERSION", "Comments", "mine"}, {"VERSION", "ProductName", "ours"}};
    WatchAnew();
    disk.Files[Path] = {{"VERSION", "ProductName", "ours"}, {"VERSION", "Comments", "mine"}};
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);

    // Answered, the state costs no reading on later looks; a save watches the file anew, and a
    // change back to the answered bytes is news again.
    watch.MarkAnswered();
    const int reads = disk.WholeReads;
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);
    EXPECT_TRUE(watch.Answered());
    EXPECT_EQ(disk.WholeReads, reads);
    const MemoryIniFiles::File answered = disk.Files[Path];
    ChangeFile("saved here");
    WatchAnew();
    disk.Files[Path] = answered;
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);
    EXPECT_FALSE(watch.Answered());

    // Gone, told once.
    disk.Files.erase(Path);
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Gone);
    EXPECT_FALSE(watch.Answered());
    watch.MarkAnswered();
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Gone);
    EXPECT_TRUE(watch.Answered());

    // A new project's file that is not there yet is no news until one appears.
    WatchAnew();
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Unchanged);
    ChangeFile("made by another");
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Changed);

    disk.RefuseLoad(Path, NotAProjectFile(Path));
    EXPECT_EQ(watch.ChangeNow(), DiskChange::NotAProject);
    disk.RefuseLoad(Path, CannotReadIniFile(Path));
    EXPECT_EQ(watch.ChangeNow(), DiskChange::Unreadable);
}

// The file watched is the one a save to path would write over: by name as Windows compares
// names, or by the file's identity under another spelling.
TEST_F(FileWatchTest, WatchesTheFileByNameOrByIdentity) {
    // Outside the assertions, which quote them in the code page.
    const FilePath otherCase(u"c:\\𠮷田\\CAFÉ.ZRT");
    const FilePath shortName(u"X:\\share\\CAF~1.ZRT");
    const FilePath other(u"C:\\𠮷田\\Cafe.zrt");
    const FileIdentity same{7, 42};
    watch.Watch(Path, {{DiskKind::Project, 1, 1, same}});
    EXPECT_TRUE(watch.Watches(otherCase, {}));
    EXPECT_TRUE(watch.Watches(shortName, same));
    EXPECT_FALSE(watch.Watches(other, {7, 43}));
    EXPECT_FALSE(watch.Watches(other, {}));
    watch.Stop();
    EXPECT_FALSE(watch.Watches(Path, same));
}

// What the user is asked about a change on disk: at the moment the program comes back to the
// front, or at a save to the project's own file; with the project clean or changed here; when
// this change was answered already or not.
TEST(QuestionFor, AsksAboutEachChangeOnce) {
    using enum DiskChange;
    using enum DiskQuestion;
    const DiskMoment Back = DiskMoment::Activation;
    const DiskMoment Saving = DiskMoment::Save;
    const struct {
        DiskChange Change;
        DiskMoment Moment;
        DiskQuestion CleanNew, ChangedNew, CleanAnswered, ChangedAnswered;
    } cases[] = {
        {Unchanged, Back, None, None, None, None},
        {Unchanged, Saving, None, None, None, None},
        {Changed, Back, Reload, ReloadDiscardingEdits, None, None},
        {Changed, Saving, Overwrite, Overwrite, None, None},
        {Gone, Back, TellGone, TellGone, None, None},
        {Gone, Saving, None, None, None, None},
        {Unreadable, Back, None, None, None, None},
        {Unreadable, Saving, None, None, None, None},
        {NotAProject, Back, None, None, None, None},
        {NotAProject, Saving, None, None, None, None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "change " << static_cast<int>(c.Change) << ", "
                                        << (c.Moment == Back ? "coming back" : "saving"));
        EXPECT_EQ(QuestionFor(c.Change, false, c.Moment, false), c.CleanNew);
        EXPECT_EQ(QuestionFor(c.Change, true, c.Moment, false), c.ChangedNew);
        EXPECT_EQ(QuestionFor(c.Change, false, c.Moment, true), c.CleanAnswered);
        EXPECT_EQ(QuestionFor(c.Change, true, c.Moment, true), c.ChangedAnswered);
    }
}
