#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/DiskFiles.h"
#include "platform/Exception.h"
#include "platform/IniFile.h"
#include "platform/save/SafeSave.h"

namespace {

const std::string Target = "C:\\p\\a.zrt";
const std::string CopyName = "C:\\p\\~a.zrt.1.tmp";
const std::string CompleteName = "C:\\p\\~a.zrt.1.zrt";
const std::string WorkName = "C:\\temp\\work.tmp";

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

// A folder in memory whose operations can be made to fail one at a time. Links lead to other
// files, and what is read or written through a link reaches the file it leads to.
class MemoryFolder : public SaveFiles {
public:
    std::map<std::string, std::string> Content;
    std::set<std::string> Unwritable;          // read-only, a folder, a device, permissions, another program's hold
    std::set<std::string> NoProject;           // files that are no profile text
    std::map<std::string, std::string> Links;  // link, file it leads to
    std::set<std::string> Unnamed;             // links whose file has no ANSI name
    std::set<std::string> OtherNames;          // files with hard links
    // Of "work", "create" (the copy beside), "copy" (into a copy or work file), "flush", "carry",
    // "move", "name complete", "write into" (into an existing file, refused) and "write part"
    // (broken off half-way).
    std::set<std::string> Failing;
    std::vector<std::string> Moves;  // "from > to"
    std::string WorkFile = WorkName;
    std::string TakenPath;

    std::string Resolve(const std::string& path) const {
        const auto link = Links.find(path);
        return link == Links.end() ? path : link->second;
    }
    static std::uint64_t FingerprintOf(const std::string& bytes) {
        TFingerprint fingerprint;
        fingerprint.Add(bytes);
        return fingerprint.Value();
    }
    DiskStamp StampOf(const std::string& path) const {
        const auto file = Content.find(Resolve(path));
        if (file == Content.end()) {
            return {DiskKind::Missing};
        }
        return {DiskKind::Project, file->second.size(), FingerprintOf(file->second)};
    }

    Taken Take(const std::string& path) override {
        TakenPath = path;
        if (Unwritable.count(Resolve(path))) {
            return {{DiskKind::Unreadable}};
        }
        if (Unnamed.count(path)) {
            return {StampOf(path), std::nullopt};
        }
        return {StampOf(path), Resolve(path), OtherNames.count(Resolve(path)) > 0};
    }
    DiskStamp TakenNow() override { return StampOf(TakenPath); }
    void LetGo() override {}
    std::optional<std::string> CreateWorkFile() override { return Make("work", WorkFile); }
    std::optional<std::string> CreateCopyBeside(const std::string& path) override {
        return Make("create", FolderOf(path) + "\\~" + path.substr(FolderOf(path).size() + 1) + ".1.tmp");
    }
    Copied Read(const std::string& path) override {
        const std::string file = Resolve(path);
        if (NoProject.count(file)) {
            return {Written::Nothing, DiskKind::NotAProject};
        }
        return {Written::All, DiskKind::Project, FingerprintOf(Content.at(file))};
    }
    Copied Copy(const std::string& from, const std::string& to) override {
        Copied read = Read(from);
        const std::string file = Resolve(to);
        if (read.Kind == DiskKind::NotAProject ||
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
    std::optional<DiskStamp> Flush(const std::string& path) override {
        if (Failing.count("flush")) {
            return std::nullopt;
        }
        return StampOf(path);
    }
    std::optional<std::string> NameComplete(const std::string& copy) override {
        if (Failing.count("name complete")) {
            return std::nullopt;
        }
        const std::string complete = copy.substr(0, copy.rfind('.')) + ".zrt";
        Content[complete] = Content.at(copy);
        Content.erase(copy);
        made_.insert(complete);
        return complete;
    }
    bool CarryOver(const std::string&, const std::string&) override { return !Failing.count("carry"); }
    bool Move(const std::string& from, const std::string& to) override {
        if (Failing.count("move")) {
            return false;
        }
        Moves.push_back(from + " > " + to);
        Links.erase(to);  // a rename onto a link's name replaces the link
        Content[to] = Content.at(from);
        Content.erase(from);
        return true;
    }
    void Remove(const std::string& path) override { Content.erase(path); }

private:
    std::optional<std::string> Make(const std::string& step, const std::string& path) {
        if (Failing.count(step)) {
            return std::nullopt;
        }
        made_.insert(path);
        Content[path] = "";
        return path;
    }

    std::set<std::string> made_;
};

// Runs one save of "new" over whatever the folder holds; true when it landed, and then its
// record is the written bytes'.
bool Save(MemoryFolder& folder, const std::string& target = Target, std::string* workPath = nullptr) {
    try {
        TSafeSave save(target, folder);
        if (workPath) {
            *workPath = save.WorkPath();
        }
        folder.Content[folder.Resolve(save.WorkPath())] += "+new";
        const std::string written = folder.Content[folder.Resolve(save.WorkPath())];
        EXPECT_EQ(save.Commit().Fingerprint, MemoryFolder::FingerprintOf(written));
        return true;
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), target + " に書き込めません");
        return false;
    }
}

using Files = std::map<std::string, std::string>;

}  // namespace

TEST(TSafeSave, WritesAWorkFileWhoseCopyBesideTheTargetTakesItsPlace) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    std::string workPath;
    EXPECT_TRUE(Save(folder, Target, &workPath));
    EXPECT_EQ(workPath, WorkName);
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new"}}));
    EXPECT_EQ(folder.Moves, std::vector<std::string>{CopyName + " > " + Target});

    // A target that does not exist yet is made by the move.
    folder.Content.clear();
    EXPECT_TRUE(Save(folder));
    EXPECT_EQ(folder.Content, (Files{{Target, "+new"}}));
}

TEST(TSafeSave, AnyFailingStepLeavesTheTargetAsItWasAndNoCopy) {
    // A new target is not copied and is moved, not written into, in place. Where the copy
    // cannot take the place of an existing target, its content is written into the target.
    const struct {
        std::set<std::string> Steps;
        bool TargetExists;
        bool Lands;
    } cases[] = {
        {{"copy"}, true, false},
        {{"copy"}, false, false},
        {{"flush"}, true, false},
        {{"flush"}, false, false},
        {{"carry"}, true, true},
        {{"carry", "write into"}, true, false},
        {{"move"}, true, true},
        {{"move"}, false, false},
        {{"move", "write into"}, true, false},
        {{"move", "name complete"}, true, false},
        {{"create"}, true, true},
        {{"create", "name complete"}, true, false},
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
        EXPECT_EQ(Save(folder), each.Lands);
        if (each.Lands) {
            EXPECT_EQ(folder.Content, (Files{{Target, (each.TargetExists ? "old" : "") + std::string("+new")}}));
        } else {
            EXPECT_EQ(folder.Content, before);
        }
    }
}

TEST(TSafeSave, RefusesWhatTheUserMayNotWriteOrIsNoProjectBeforeMakingAnything) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.Unwritable.insert(Target);
    EXPECT_FALSE(Save(folder));
    EXPECT_EQ(folder.Content, (Files{{Target, "old"}}));

    folder.Unwritable.clear();
    folder.NoProject.insert(Target);
    EXPECT_THROW(
        {
            try {
                TSafeSave save(Target, folder);
            } catch (const EIniFileException& error) {
                EXPECT_EQ(error.Message(), NotAProjectFile(Target).Message());
                throw;
            }
        },
        EIniFileException);
    EXPECT_EQ(folder.Content, (Files{{Target, "old"}}));
}

// A file with other names, whose owner or permissions cannot be given to the copy, or that
// another program holds open while sharing its writing: the complete copy goes into the file
// itself, which keeps its names, owner and permissions, and the copy goes once that is done.
TEST(TSafeSave, WritesIntoTheTargetWhereTheCopyCannotTakeItsPlace) {
    // The copy that could not take the file's place through CarryOver or Move is the table's
    // above; a file with other names is not even tried.
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.OtherNames.insert(Target);
    EXPECT_TRUE(Save(folder));
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new"}}));
    EXPECT_TRUE(folder.Moves.empty());

    // Broken off half-way: the complete new version stays beside the file, under the name that
    // tells a clean-up it is complete, and the error names it.
    folder.Content = {{Target, "previous"}};
    folder.Failing = {"write part"};
    try {
        TSafeSave save(Target, folder);
        folder.Content[WorkName] += "+new";
        save.Commit();
        ADD_FAILURE() << "the save did not raise";
    } catch (const EUnfinishedSave& error) {
        EXPECT_EQ(error.Copy(), CompleteName);
        EXPECT_NE(error.Message().find(CompleteName), std::string::npos);
        EXPECT_EQ(error.Left(), folder.StampOf(Target));
    }
    EXPECT_EQ(folder.Content, (Files{{Target, "previo"}, {CompleteName, "previous+new"}}));
}

// After such a break, the next save builds on the complete copy, not on the half-written file,
// and the copy goes once that save has landed.
TEST(TSafeSave, BuildsOnTheCompleteCopyOfAnUnfinishedSave) {
    MemoryFolder folder;
    folder.Content = {{Target, "ol"}, {CompleteName, "old+new"}};
    {
        TSafeSave save(Target, folder);
        save.BuildOn(CompleteName);
        folder.Content[WorkName] += "+more";
        folder.Failing = {"flush"};
        EXPECT_THROW(save.Commit(), EIniFileException);
    }
    EXPECT_EQ(folder.Content, (Files{{Target, "ol"}, {CompleteName, "old+new"}}));
    folder.Failing.clear();
    TSafeSave save(Target, folder);
    save.BuildOn(CompleteName);
    folder.Content[WorkName] += "+more";
    save.Commit();
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new+more"}}));
}

TEST(TSafeSave, ALinkStaysALinkAndTheFileItLeadsToIsSaved) {
    const std::string real = "D:\\real\\b.zrt";
    MemoryFolder folder;
    folder.Content[real] = "old";
    folder.Links[Target] = real;
    EXPECT_TRUE(Save(folder));
    EXPECT_EQ(folder.Content, (Files{{real, "old+new"}}));
    EXPECT_EQ(folder.Links.count(Target), 1u);
    EXPECT_EQ(folder.Moves, std::vector<std::string>{"D:\\real\\~b.zrt.1.tmp > " + real});

    // Where the file it leads to cannot be named, the save writes into it through the link.
    folder.Unnamed.insert(Target);
    EXPECT_TRUE(Save(folder));
    EXPECT_EQ(folder.Content.at(real), "old+new+new");
    EXPECT_EQ(folder.Links.count(Target), 1u);
}

// Without a work file that the profile functions can take, they write to the target itself.
TEST(TSafeSave, WritesInPlaceWithoutAWorkFile) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.Failing = {"work"};
    std::string workPath;
    EXPECT_TRUE(Save(folder, Target, &workPath));
    EXPECT_EQ(workPath, Target);
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new"}}));

    // A work file whose name is too long for them is none.
    folder.Failing.clear();
    folder.WorkFile = "C:\\" + std::string(LongestProfilePath, 't');
    EXPECT_TRUE(Save(folder, Target, &workPath));
    EXPECT_EQ(workPath, Target);
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new+new"}}));
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
    {
        TSafeSave save(Target, folder);
        folder.Content[save.WorkPath()] += "+half";
    }
    EXPECT_EQ(folder.Content, (Files{{Target, "old"}}));
}
