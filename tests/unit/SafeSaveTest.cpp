#include "platform/SafeSave.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Exception.h"

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
    std::set<std::string> ReadOnly;
    std::set<std::string> Folders;
    std::set<std::string> Unwritable;          // permissions, or another program, refuse writes
    std::map<std::string, std::string> Links;  // link, file it leads to
    std::set<std::string> Unnamed;             // links whose file has no ANSI name
    std::set<std::string> OtherNames;          // files with hard links
    // Of "create", "work", "copy" (into a copy or work file), "flush", "carry", "move", "name
    // complete", "write into" (a copy into an existing file refused) and "write part" (broken
    // off half-way).
    std::set<std::string> Failing;
    std::vector<std::string> Moves;          // "from > to"
    std::vector<std::string> CleanedBeside;  // every path RemoveLeftCopies was given

    std::string Resolve(const std::string& path) const {
        const auto link = Links.find(path);
        return link == Links.end() ? path : link->second;
    }
    Kind Probe(const std::string& path) override {
        const std::string file = Resolve(path);
        if (Folders.count(file)) {
            return Kind::Folder;
        }
        if (!Content.count(file)) {
            return Kind::Missing;
        }
        return ReadOnly.count(file) ? Kind::ReadOnlyFile : Kind::File;
    }
    bool CanWrite(const std::string& path) override { return !Unwritable.count(Resolve(path)); }
    std::optional<std::string> FinalPath(const std::string& path) override {
        if (Unnamed.count(path)) {
            return std::nullopt;
        }
        return Resolve(path);
    }
    bool HasOtherNames(const std::string& path) override { return OtherNames.count(path) > 0; }
    void RemoveLeftCopies(const std::string& path) override { CleanedBeside.push_back(path); }
    std::optional<std::string> CreateCopyBeside(const std::string& path) override {
        if (Failing.count("create")) {
            return std::nullopt;
        }
        const std::string copy = FolderOf(path) + "\\~" + path.substr(FolderOf(path).size() + 1) + ".1.tmp";
        made_.insert(copy);
        Content[copy] = "";
        return copy;
    }
    std::optional<std::string> NameComplete(const std::string& copy) override {
        if (Failing.count("name complete")) {
            return std::nullopt;
        }
        const std::string complete = copy.substr(0, copy.rfind('.')) + ".zrt";
        Content[complete] = Content.at(copy);
        Content.erase(copy);
        return complete;
    }
    std::optional<std::string> CreateWorkFile() override {
        if (Failing.count("work")) {
            return std::nullopt;
        }
        made_.insert(WorkName);
        Content[WorkName] = "";
        return WorkName;
    }
    Written Copy(const std::string& from, const std::string& to) override {
        const std::string file = Resolve(to);
        if (made_.count(file) ? Failing.count("copy") > 0 : Failing.count("write into") > 0) {
            return Written::Nothing;
        }
        const std::string bytes = Content.at(Resolve(from));
        if (!made_.count(file) && Failing.count("write part")) {
            Content[file] = bytes.substr(0, bytes.size() / 2);
            return Written::Part;
        }
        Content[file] = bytes;
        return Written::All;
    }
    bool Flush(const std::string&) override { return !Failing.count("flush"); }
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
    std::set<std::string> made_;
};

// Runs one save of "new" over whatever the folder holds; true when it landed.
bool Save(MemoryFolder& folder, const std::string& target = Target, std::string* workPath = nullptr) {
    try {
        TSafeSave save(target, folder);
        if (workPath) {
            *workPath = save.WorkPath();
        }
        folder.Content[folder.Resolve(save.WorkPath())] += "+new";
        save.Commit();
        return true;
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), target + " に書き込めません");
        return false;
    }
}

using Files = std::map<std::string, std::string>;

}  // namespace

TEST(TSafeSave, WritesACopyBesideTheTargetThatTakesItsPlace) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    std::string workPath;
    EXPECT_TRUE(Save(folder, Target, &workPath));
    EXPECT_EQ(workPath, CopyName);
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new"}}));
    EXPECT_EQ(folder.Moves, std::vector<std::string>{CopyName + " > " + Target});
    // What killed saves left goes at every save.
    EXPECT_EQ(folder.CleanedBeside, std::vector<std::string>{Target});

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
        {{"copy"}, false, true},
        {{"flush"}, true, false},
        {{"flush"}, false, false},
        {{"carry"}, true, true},
        {{"carry", "write into"}, true, false},
        {{"move"}, true, true},
        {{"move"}, false, false},
        {{"move", "write into"}, true, false},
        {{"move", "name complete"}, true, false},
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

TEST(TSafeSave, RefusesWhatTheUserMayNotWriteBeforeMakingAnything) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.ReadOnly.insert(Target);
    EXPECT_FALSE(Save(folder));

    // Denied by the file's own permissions, or held by a program that shares no writing, while
    // the folder would take the copy and the rename.
    folder.ReadOnly.clear();
    folder.Unwritable.insert(Target);
    EXPECT_FALSE(Save(folder));
    EXPECT_EQ(folder.Content, (Files{{Target, "old"}}));

    MemoryFolder folders;
    folders.Folders.insert(Target);
    EXPECT_FALSE(Save(folders));
    EXPECT_TRUE(folders.Content.empty());
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
    // tells a clean-up it is complete.
    folder.Content = {{Target, "old"}};
    folder.Failing = {"write part"};
    EXPECT_FALSE(Save(folder));
    EXPECT_EQ(folder.Content.at(CompleteName), "old+new");
    EXPECT_EQ(folder.Content.count(CopyName), 0u);
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
    EXPECT_EQ(folder.CleanedBeside, std::vector<std::string>{real});

    // Where the file it leads to cannot be named, the save writes into it through the link.
    folder.Unnamed.insert(Target);
    EXPECT_TRUE(Save(folder));
    EXPECT_EQ(folder.Content.at(real), "old+new+new");
    EXPECT_EQ(folder.Links.count(Target), 1u);
}

TEST(TSafeSave, WritesInPlaceWhereTheFolderTakesNoNewFile) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.Failing = {"create"};
    std::string workPath;
    EXPECT_TRUE(Save(folder, Target, &workPath));
    EXPECT_EQ(workPath, Target);
    EXPECT_EQ(folder.Content, (Files{{Target, "old+new"}}));
}

// The profile functions take no name as long as the copy's can be: they write a work file
// elsewhere, which becomes the copy beside the target at Commit.
TEST(TSafeSave, ACopyWithATooLongNameIsWrittenThroughAWorkFile) {
    const std::string folderName = "C:\\" + std::string(250, 'f');
    const std::string target = folderName + "\\a.zrt";
    ASSERT_LE(target.size(), LongestProfilePath);
    MemoryFolder folder;
    folder.Content[target] = "old";
    std::string workPath;
    EXPECT_TRUE(Save(folder, target, &workPath));
    EXPECT_EQ(workPath, WorkName);
    EXPECT_EQ(folder.Content, (Files{{target, "old+new"}}));
    EXPECT_EQ(folder.Moves, std::vector<std::string>{folderName + "\\~a.zrt.1.tmp > " + target});

    // No work file to be had: in place, as where the folder takes no copy.
    folder.Failing = {"work"};
    EXPECT_TRUE(Save(folder, target, &workPath));
    EXPECT_EQ(workPath, target);
    EXPECT_EQ(folder.Content, (Files{{target, "old+new+new"}}));
}

TEST(TSafeSave, ASaveThatEndsWithoutCommitLeavesNoCopy) {
    for (const std::string& target : {Target, "C:\\" + std::string(245, 'f') + "\\a.zrt"}) {
        MemoryFolder folder;
        folder.Content[target] = "old";
        {
            TSafeSave save(target, folder);
            folder.Content[save.WorkPath()] += "+half";
        }
        EXPECT_EQ(folder.Content, (Files{{target, "old"}}));
    }
}
