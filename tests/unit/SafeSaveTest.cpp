#include "platform/SafeSave.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/Exception.h"

namespace {

const std::string Target = "C:\\p\\a.zrt";
const std::string CopyName = "C:\\p\\zrt1.tmp";

// A folder in memory whose operations can be made to fail one at a time.
class MemoryFolder : public SaveFiles {
public:
    std::map<std::string, std::string> Content;
    std::set<std::string> ReadOnly;
    std::set<std::string> Folders;
    std::set<std::string> Failing;  // of "create", "copy", "flush", "replace" and "move"

    Kind Probe(const std::string& path) override {
        if (Folders.count(path)) {
            return Kind::Folder;
        }
        if (!Content.count(path)) {
            return Kind::Missing;
        }
        return ReadOnly.count(path) ? Kind::ReadOnlyFile : Kind::File;
    }
    std::optional<std::string> CreateFileBeside(const std::string&) override {
        if (Failing.count("create")) {
            return std::nullopt;
        }
        Content[CopyName] = "";
        return CopyName;
    }
    bool Copy(const std::string& from, const std::string& to) override {
        return !Failing.count("copy") && (Content[to] = Content.at(from), true);
    }
    bool Flush(const std::string&) override { return !Failing.count("flush"); }
    bool Replace(const std::string& target, const std::string& replacement) override {
        if (Failing.count("replace")) {
            return false;
        }
        Content[target] = Content.at(replacement);
        Content.erase(replacement);
        return true;
    }
    bool Move(const std::string& from, const std::string& to) override {
        if (Failing.count("move")) {
            return false;
        }
        Content[to] = Content.at(from);
        Content.erase(from);
        return true;
    }
    void Remove(const std::string& path) override { Content.erase(path); }
};

// Runs one save of "new" over whatever the folder holds; true when it landed.
bool Save(MemoryFolder& folder, std::string* workPath = nullptr) {
    try {
        TSafeSave save(Target, folder);
        if (workPath) {
            *workPath = save.WorkPath();
        }
        folder.Content[save.WorkPath()] += "+new";
        save.Commit();
        return true;
    } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Message(), Target + " に書き込めません");
        return false;
    }
}

}  // namespace

TEST(TSafeSave, WritesACopyBesideTheTargetThatTakesItsPlace) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    std::string workPath;
    EXPECT_TRUE(Save(folder, &workPath));
    EXPECT_EQ(workPath, CopyName);
    EXPECT_EQ(folder.Content, (std::map<std::string, std::string>{{Target, "old+new"}}));

    // A target that does not exist yet is made by the move.
    folder.Content.clear();
    EXPECT_TRUE(Save(folder));
    EXPECT_EQ(folder.Content, (std::map<std::string, std::string>{{Target, "+new"}}));
}

TEST(TSafeSave, AnyFailingStepLeavesTheTargetAsItWasAndNoCopy) {
    // A new target is not copied and is moved, not replaced, into place.
    const struct {
        const char* Step;
        bool TargetExists;
        bool Lands;
    } cases[] = {
        {"copy", true, false},    {"copy", false, true},    {"flush", true, false}, {"flush", false, false},
        {"replace", true, false}, {"replace", false, true}, {"move", true, true},   {"move", false, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(testing::Message() << each.Step << (each.TargetExists ? ", target exists" : ", new target"));
        MemoryFolder folder;
        if (each.TargetExists) {
            folder.Content[Target] = "old";
        }
        const auto before = folder.Content;
        folder.Failing = {each.Step};
        EXPECT_EQ(Save(folder), each.Lands);
        if (!each.Lands) {
            EXPECT_EQ(folder.Content, before);
        }
    }
}

TEST(TSafeSave, RefusesAReadOnlyTargetOrAFolderBeforeMakingAnything) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.ReadOnly.insert(Target);
    EXPECT_FALSE(Save(folder));
    EXPECT_EQ(folder.Content.size(), 1u);

    MemoryFolder folders;
    folders.Folders.insert(Target);
    EXPECT_FALSE(Save(folders));
    EXPECT_TRUE(folders.Content.empty());
}

TEST(TSafeSave, WritesInPlaceWhereTheFolderTakesNoNewFile) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    folder.Failing = {"create"};
    std::string workPath;
    EXPECT_TRUE(Save(folder, &workPath));
    EXPECT_EQ(workPath, Target);
    EXPECT_EQ(folder.Content, (std::map<std::string, std::string>{{Target, "old+new"}}));
}

TEST(TSafeSave, ASaveThatEndsWithoutCommitLeavesNoCopy) {
    MemoryFolder folder;
    folder.Content[Target] = "old";
    {
        TSafeSave save(Target, folder);
        folder.Content[save.WorkPath()] += "+half";
    }
    EXPECT_EQ(folder.Content, (std::map<std::string, std::string>{{Target, "old"}}));
}
