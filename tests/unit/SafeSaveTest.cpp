#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Exception.h"
#include "platform/disk/DiskFiles.h"
#include "platform/profile/IniFile.h"
#include "platform/save/SafeSave.h"

namespace {

const FilePath Target(u"C:\\𠮷田\\Café.zrt");
const FilePath CopyName(u"C:\\𠮷田\\~Café.zrt.1.tmp");
const FilePath CompleteName(u"C:\\𠮷田\\~Café.zrt.1.zrt");
const FilePath WorkName(u"C:\\temp\\work.tmp");
const FilePath Link(u"C:\\𠮷田\\link.zrt");
const FilePath Real(u"D:\\real\\b.zrt");

// "from > to", in a test's report.
using Moved = std::pair<FilePath, FilePath>;

// A folder in memory whose operations can be made to fail one at a time. Links lead to other
// files, and what is read or written through a link reaches the file it leads to.
class MemoryFolder : public SaveFiles {
public:
    std::map<FilePath, std::string> Content;
    std::set<FilePath> Unwritable;       // read-only, a folder, a device, permissions, another program's hold
    std::set<FilePath> NoProject;        // files that are no profile text
    std::set<FilePath> Huge;             // files larger than any project file
    std::map<FilePath, FilePath> Links;  // link, file it leads to
    std::set<FilePath> Unnamed;          // links to a file the system does not name
    std::set<FilePath> OtherNames;       // files with hard links
    // Of "create" (the copy beside), "open to profile" (the folder would not let the copy be
    // removed after the profile functions), "work" (the temporary folder), "copy" (into a copy or
    // work file: a full disk), "flush", "carry", "move", "name complete", "write into" (into an
    // existing file, refused) and "write part" (broken off half-way: a full disk).
    std::set<std::string> Failing;
    std::vector<Moved> Moves;
    FilePath WorkFile = WorkName;
    FilePath TakenPath;
    bool TargetHeld = false;

    FilePath Resolve(const FilePath& path) const {
        const auto link = Links.find(path);
        return link == Links.end() ? path : link->second;
    }
    static std::uint64_t FingerprintOf(const std::string& bytes) {
        TFingerprint fingerprint;
        fingerprint.Add(bytes);
        return fingerprint.Value();
    }
    DiskStamp StampOf(const FilePath& path) const {
        const auto file = Content.find(Resolve(path));
        if (file == Content.end()) {
            return {DiskKind::Missing};
        }
        return {DiskKind::Project, file->second.size(), FingerprintOf(file->second)};
    }

    Taken Take(const FilePath& path) override {
        TakenPath = path;
        if (Unwritable.count(Resolve(path))) {
            return {{DiskKind::Unreadable}};
        }
        TargetHeld = true;
        if (Unnamed.count(path)) {
            return {StampOf(path), std::nullopt};
        }
        const bool linkToNothing = Links.count(path) && !Content.count(Resolve(path));
        if (linkToNothing) {
            Content[Resolve(path)] = "";
        }
        return {StampOf(path), Resolve(path), OtherNames.count(Resolve(path)) > 0, linkToNothing};
    }
    DiskStamp TakenNow() override { return StampOf(TakenPath); }
    void LetGo() override { TargetHeld = false; }
    std::optional<FilePath> CreateCopyBeside(const FilePath& path) override {
        return Make("create", path.Beside(u"~" + std::u16string(path.Name()) + u".1.tmp"));
    }
    bool OpenToProfileFunctions(const FilePath&) override { return !Failing.count("open to profile"); }
    std::optional<FilePath> CreateWorkFile() override { return Make("work", WorkFile); }
    Reading Read(const FilePath& path) override {
        const FilePath file = Resolve(path);
        if (NoProject.count(file)) {
            return {Written::Nothing, DiskKind::NotAProject};
        }
        if (Huge.count(file)) {
            return {Written::Nothing, DiskKind::TooLarge};
        }
        return {Written::All, DiskKind::Project, FingerprintOf(Content.at(file))};
    }
    Reading Copy(const FilePath& from, const FilePath& to) override {
        Reading read = Read(from);
        const FilePath file = Resolve(to);
        if (read.Kind != DiskKind::Project ||
            (made_.count(file) ? Failing.count("copy") > 0 : Failing.count("write into") > 0)) {
            read.Done = Written::Nothing;
            return read;
        }
        const std::string bytes = Content.at(Resolve(from));
        if (!made_.count(file) && Failing.count("write part")) {
            Content[file] = bytes.substr(0, bytes.size() / 2);
            read.Done = Written::Part;
            return read;
        }
        Content[file] = bytes;
        return read;
    }
    std::optional<DiskStamp> Flush(const FilePath& path) override {
        if (Failing.count("flush")) {
            return std::nullopt;
        }
        return StampOf(path);
    }
    std::optional<FilePath> NameComplete(const FilePath& copy) override {
        if (Failing.count("name complete")) {
            return std::nullopt;
        }
        const FilePath complete(copy.Utf16().substr(0, copy.Utf16().rfind(u'.')) + u".zrt");
        Content[complete] = Content.at(copy);
        Content.erase(copy);
        made_.insert(complete);
        return complete;
    }
    bool CarryOver(const FilePath&, const FilePath&) override { return !Failing.count("carry"); }
    bool Move(const FilePath& from, const FilePath& to) override {
        if (Failing.count("move") || TargetHeld) {
            return false;
        }
        Moves.emplace_back(from, to);
        Links.erase(to);  // a rename onto a link's name replaces the link
        Content[to] = Content.at(from);
        Content.erase(from);
        return true;
    }
    void Remove(const FilePath& path) override { Content.erase(path); }

private:
    std::optional<FilePath> Make(const std::string& step, const FilePath& path) {
        if (Failing.count(step)) {
            return std::nullopt;
        }
        made_.insert(path);
        Content[path] = "";
        return path;
    }

    std::set<FilePath> made_;
};

// The profile functions' writes of "+new" into the file a save writes, as its Commit has them
// made; a file held against other writers refuses them.
std::function<void()> WriteNew(MemoryFolder& folder, const TSafeSave& save) {
    return [&folder, &save] {
        if (save.WorkPath() == folder.TakenPath && folder.TargetHeld) {
            throw CannotWriteIniFile(save.WorkPath());
        }
        folder.Content[folder.Resolve(save.WorkPath())] += "+new";
    };
}

// Runs one save of "new" over whatever the folder holds; true when it landed, and then its
// answer is the written file as a look at it sees it.
bool Save(MemoryFolder& folder, const FilePath& target = Target, SaveRoad* road = nullptr) {
    try {
        TSafeSave save(target, folder);
        const FileSnapshot written = save.Commit(WriteNew(folder, save));
        if (road) {
            *road = save.Road();
        }
        EXPECT_EQ(written.Stamp, folder.StampOf(target));
        EXPECT_EQ(written.Fingerprint, MemoryFolder::FingerprintOf(folder.Content[folder.Resolve(target)]));
        return true;
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), target + " に書き込めません");
        return false;
    }
}

using Files = std::map<FilePath, std::string>;

}  // namespace

// Whatever makes a save take a road, it lands the values under the file's own name, answers the
// file as a look at it sees it, and leaves nothing beside the file or in the temporary folder.
TEST(TSafeSave, EveryRoadLandsTheValuesUnderTheFilesNameAndLeavesNothing) {
    // A name the profile functions take, whose copy's name they do not.
    const FilePath longFolder(u"C:\\" + std::u16string(LongestPath - 12, u'd') + u"\\");
    const FilePath longTarget = longFolder.Beside(u"a.zrt");
    const FilePath realCopy(u"D:\\real\\~b.zrt.1.tmp");
    const struct {
        const char* Condition;
        std::set<std::string> Failing;
        FilePath Target;
        bool Exists;
        SaveRoad Road;
        std::vector<Moved> Moves;
    } cases[] = {
        {"a file", {}, Target, true, SaveRoad::Replace, {{CopyName, Target}}},
        {"a new file", {}, Target, false, SaveRoad::Replace, {{CopyName, Target}}},
        {"no temporary folder", {"work"}, Target, true, SaveRoad::Replace, {{CopyName, Target}}},
        {"a folder that would not let the copy go",
         {"open to profile"},
         Target,
         true,
         SaveRoad::Replace,
         {{CopyName, Target}}},
        {"a copy's name too long for the profile functions",
         {},
         longTarget,
         true,
         SaveRoad::Replace,
         {{longFolder.Beside(u"~a.zrt.1.tmp"), longTarget}}},
        {"the same without a temporary folder", {"work"}, longTarget, true, SaveRoad::InPlace, {}},
        {"a folder that takes no new file", {"create"}, Target, true, SaveRoad::InPlace, {}},
        {"a temporary folder with a long name", {"long work"}, longTarget, true, SaveRoad::InPlace, {}},
        {"owner or permissions not given to the copy", {"carry"}, Target, true, SaveRoad::WriteInto, {}},
        {"the rename refused", {"move"}, Target, true, SaveRoad::WriteInto, {}},
        {"other names", {"other names"}, Target, true, SaveRoad::WriteInto, {}},
        {"a link", {}, Link, true, SaveRoad::Replace, {{realCopy, Real}}},
        {"a link whose file is gone", {}, Link, false, SaveRoad::Replace, {{realCopy, Real}}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.Condition);
        MemoryFolder folder;
        folder.Failing = each.Failing;
        folder.Links[Link] = Real;
        if (each.Failing.count("long work")) {
            folder.WorkFile = FilePath(u"C:\\" + std::u16string(LongestPath, u't'));
        }
        const FilePath landing = folder.Resolve(each.Target);
        if (each.Failing.count("other names")) {
            folder.OtherNames.insert(landing);
        }
        if (each.Exists) {
            folder.Content[landing] = "old";
        }
        SaveRoad road{};
        EXPECT_TRUE(Save(folder, each.Target, &road));
        EXPECT_EQ(road, each.Road);
        EXPECT_EQ(folder.Content, (Files{{landing, (each.Exists ? "old" : "") + std::string("+new")}}));
        EXPECT_EQ(folder.Moves, each.Moves);
        EXPECT_EQ(folder.Links.count(Link), 1u);
    }
}

TEST(TSafeSave, AnyFailingStepLeavesTheTargetAsItWasAndNothingBehind) {
    // A new target is not copied and is moved, not written into, in place. Where the copy
    // cannot take the place of an existing target, its content is written into the target.
    const struct {
        std::set<std::string> Steps;
        bool TargetExists;
    } cases[] = {
        {{"copy"}, true},
        {{"copy", "open to profile"}, false},
        {{"flush"}, true},
        {{"flush"}, false},
        {{"carry", "write into"}, true},
        {{"move"}, false},
        {{"move", "write into"}, true},
        {{"move", "name complete"}, true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << *each.Steps.begin() << (each.Steps.size() > 1 ? " and more" : "")
                                        << (each.TargetExists ? ", target exists" : ", new target"));
        MemoryFolder folder;
        if (each.TargetExists) {
            folder.Content[Target] = "old";
        }
        const auto before = folder.Content;
        folder.Failing = each.Steps;
        EXPECT_FALSE(Save(folder));
        EXPECT_EQ(folder.Content, before);
    }

    // The profile functions refuse a write: nothing lands either. A link whose file was gone
    // leads nowhere again.
    MemoryFolder folder;
    folder.Links[Target] = Real;
    {
        TSafeSave save(Target, folder);
        EXPECT_THROW(save.Commit([&] { throw CannotWriteIniFile(Target); }), EIniFileException);
    }
    EXPECT_EQ(folder.Content, Files{});
}

TEST(TSafeSave, RefusesWhatTheUserMayNotWriteOrIsNoProjectBeforeMakingAnything) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.Unwritable.insert(Target);
    EXPECT_FALSE(Save(folder));
    EXPECT_EQ(folder.Content, (Files{{Target, "old"}}));

    // No project file, or one too large to be one, is refused with the error a load gives it,
    // whatever road the save would take.
    folder.Unwritable.clear();
    for (const bool huge : {false, true}) {
        for (const bool inPlace : {false, true}) {
            (huge ? folder.Huge : folder.NoProject).insert(Target);
            folder.Failing = inPlace ? std::set<std::string>{"create"} : std::set<std::string>{};
            try {
                TSafeSave save(Target, folder);
                ADD_FAILURE() << "not refused";
            } catch (const EIniFileException& error) {
                EXPECT_EQ(error.Message(), (huge ? TooLargeFile(Target) : NotAProjectFile(Target)).Message());
            }
            EXPECT_EQ(folder.Content, (Files{{Target, "old"}}));
            folder.Huge.clear();
            folder.NoProject.clear();
        }
    }
}

// Broken off half-way while it wrote into the file: the complete new version stays beside the
// file, under the name that tells a clean-up it is complete, and the error names it.
TEST(TSafeSave, AWriteIntoTheTargetThatBreaksOffKeepsTheCompleteCopy) {
    MemoryFolder folder;
    folder.Content = {{Target, "previous"}};
    folder.OtherNames.insert(Target);
    folder.Failing = {"write part"};
    try {
        TSafeSave save(Target, folder);
        save.Commit(WriteNew(folder, save));
        ADD_FAILURE() << "the save did not raise";
    } catch (const EUnfinishedSave& error) {
        EXPECT_EQ(error.Copy(), CompleteName);
        EXPECT_EQ(error.Message().Pieces()[2].Name, CompleteName.Utf16());
        EXPECT_EQ(error.Left(), folder.StampOf(Target));
    }
    EXPECT_EQ(folder.Content, (Files{{Target, "previo"}, {CompleteName, "previous+new"}}));
}

// After such a break, the next save builds on the complete copy, not on the half-written file,
// and the copy goes once that save has landed.
TEST(TSafeSave, BuildsOnTheCompleteCopyOfAnUnfinishedSave) {
    MemoryFolder folder;
    folder.Content = {{Target, "ol"}, {CompleteName, "old+new"}};
    const auto writeMore = [&](const TSafeSave& save) { return [&] { folder.Content[save.WorkPath()] += "+more"; }; };
    {
        TSafeSave save(Target, folder);
        save.BuildOn(CompleteName);
        folder.Failing = {"flush"};
        EXPECT_THROW(save.Commit(writeMore(save)), EIniFileException);
    }
    EXPECT_EQ(folder.Content, (Files{{Target, "ol"}, {CompleteName, "old+new"}}));
    folder.Failing.clear();
    TSafeSave save(Target, folder);
    save.BuildOn(CompleteName);
    save.Commit(writeMore(save));
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new+more"}}));
}

// Where the file a link leads to cannot be named, the save writes into it through the link.
TEST(TSafeSave, ALinkToAFileWithoutANameIsWrittenThrough) {
    MemoryFolder folder;
    folder.Content[Real] = "old";
    folder.Links[Target] = Real;
    folder.Unnamed.insert(Target);
    EXPECT_TRUE(Save(folder));
    EXPECT_EQ(folder.Content, (Files{{Real, "old+new"}}));
    EXPECT_EQ(folder.Links.count(Target), 1u);
}

// Only a program that held the file open for writing before the save took it can change it.
TEST(TSafeSave, TellsAChangeMadeWhileItRan) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    TSafeSave save(Target, folder);
    EXPECT_EQ(save.Found().Fingerprint, MemoryFolder::FingerprintOf("old"));
    EXPECT_FALSE(save.ChangedSinceFound());
    folder.Content[Target] = "theirs";
    EXPECT_TRUE(save.ChangedSinceFound());
}

TEST(TSafeSave, ASaveThatEndsWithoutCommitLeavesNoCopy) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.Links[Link] = Real;
    for (const FilePath& target : {Target, Link}) {
        TSafeSave save(target, folder);
        folder.Content[save.WorkPath()] += "+half";
    }
    EXPECT_EQ(folder.Content, (Files{{Target, "old"}}));
}
