#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Exception.h"
#include "platform/disk/DiskFiles.h"
#include "platform/profile/IniFile.h"

// Profile files kept in memory, one per path, in the order their sections and keys were first
// written. A save's writes land at its Commit, all together, as on the real platform. It can be
// told to refuse writes to a path from a given write on, to refuse a save's commit or break it
// off half-way, to have another program change a file during a save, and to refuse loading a
// path with an error of the platform's. As the disk, a file's time follows its content and its
// touches, a refused load makes it unreadable or no project (which a save refuses too), and
// complete copies of unfinished saves stay beside a file.
class MemoryIniFiles : public DiskFiles {
public:
    struct Entry {
        std::string Section;
        std::string Key;
        std::string Value;
        bool operator==(const Entry&) const = default;
    };
    using File = std::vector<Entry>;

    std::map<FilePath, File> Files;
    std::vector<FilePath> Opened;      // every path an object was created on, in order
    std::vector<std::string> Written;  // "SECTION/Key" of every write, in order
    int Released = 0;                  // objects destroyed so far
    int WholeReads = 0;                // Content calls so far
    // The complete copies that saves which ended while writing into a file left beside it.
    std::map<FilePath, std::vector<FilePath>> UnwrittenCopies;

    // Another program writes the file's bytes again, unchanged: only its time changes.
    void Touch(const FilePath& path) { ++touches_[path]; }

    DiskStamp Stamp(const FilePath& path) override {
        const auto file = Files.find(path);
        if (file == Files.end()) {
            return {DiskKind::Missing};
        }
        if (KindOf(path) == DiskKind::Unreadable) {
            return {DiskKind::Unreadable};
        }
        const std::string bytes = BytesOf(file->second);
        return {DiskKind::Project, bytes.size(), FingerprintOf(bytes) + touches_[path]};
    }

    DiskContent Content(const FilePath& path) override {
        ++WholeReads;
        const auto file = Files.find(path);
        if (file == Files.end()) {
            return {DiskKind::Missing};
        }
        return {KindOf(path), FingerprintOf(BytesOf(file->second))};
    }

    std::vector<FilePath> ClearLeftCopies(const FilePath& path) override { return UnwrittenCopies[path]; }

    // Writes to path fail from its nth write of this run on (0: the first).
    void RefuseWrites(const FilePath& path, int fromWrite = 0) { refusals_[path] = fromWrite; }
    void AllowWrites(const FilePath& path) { refusals_.erase(path); }
    // The next save of path fails at its commit, after its writes.
    void RefuseCommit(const FilePath& path) { commitRefusals_.push_back(path); }
    // The next save of path breaks off while it writes into the file: the file holds half of
    // what it had, and the whole new version is left in the complete copy CompleteCopyOf(path).
    void BreakOffCommit(const FilePath& path) { breakOffs_.push_back(path); }
    static FilePath CompleteCopyOf(const FilePath& path) {
        return path.Beside(u"~" + std::u16string(path.Name()) + u".0A1B2C3D.zrt");
    }
    // Another program changes path while the next save of it runs, after the save took it.
    void ChangeDuringSave(const FilePath& path) { changesDuringSave_.push_back(path); }
    // Loading path raises error (CannotReadIniFile, NotAProjectFile).
    void RefuseLoad(const FilePath& path, const EIniFileException& error) {
        loadRefusals_.insert_or_assign(path, error);
    }

    std::optional<std::string> Value(const FilePath& path, const std::string& section, const std::string& key) const {
        const auto file = Files.find(path);
        return file == Files.end() ? std::nullopt : ValueIn(file->second, section, key);
    }

    IniFileOpener Opener() {
        return [this](const FilePath& path, IniFileUse use) -> std::unique_ptr<TCustomIniFile> {
            Opened.push_back(path);
            if (const auto refusal = loadRefusals_.find(path);
                use == IniFileUse::Load && refusal != loadRefusals_.end()) {
                throw refusal->second;
            }
            return std::make_unique<Object>(*this, path, use);
        };
    }

private:
    static std::string BytesOf(const File& file) {
        std::string bytes;
        for (const Entry& entry : file) {
            bytes += "[" + entry.Section + "]" + entry.Key + "=" + entry.Value + "\n";
        }
        return bytes;
    }

    static bool Take(std::vector<FilePath>& paths, const FilePath& path) {
        for (auto each = paths.begin(); each != paths.end(); ++each) {
            if (*each == path) {
                paths.erase(each);
                return true;
            }
        }
        return false;
    }

    static std::uint64_t FingerprintOf(const std::string& bytes) {
        TFingerprint fingerprint;
        fingerprint.Add(bytes);
        return fingerprint.Value();
    }

    DiskKind KindOf(const FilePath& path) const {
        const auto refusal = loadRefusals_.find(path);
        if (refusal == loadRefusals_.end()) {
            return DiskKind::Project;
        }
        return refusal->second.Message() == CannotReadIniFile(path).Message() ? DiskKind::Unreadable
                                                                              : DiskKind::NotAProject;
    }

    static std::optional<std::string> ValueIn(const File& file, const std::string& section, const std::string& key) {
        for (const Entry& entry : file) {
            if (entry.Section == section && entry.Key == key) {
                return entry.Value;
            }
        }
        return std::nullopt;
    }

    // Reads and writes a copy of the file, which a save's commit puts in its place.
    class Object : public TCustomIniFile {
    public:
        Object(MemoryIniFiles& files, const FilePath& path, IniFileUse use)
            : TCustomIniFile(path), files_(files), use_(use) {
            if (use == IniFileUse::Save) {
                // A save refuses what it may not write into, as the platform's does.
                if (const DiskKind kind = files.KindOf(path); kind != DiskKind::Project) {
                    throw kind == DiskKind::NotAProject ? NotAProjectFile(path) : CannotWriteIniFile(path);
                }
            }
            if (const auto file = files.Files.find(path); file != files.Files.end()) {
                copy_ = file->second;
                SetFound({files.Stamp(path), FingerprintOf(BytesOf(copy_))});
            }
        }
        ~Object() override { ++files_.Released; }

        std::string ReadEntry(const std::string& section,
                              const std::string& key,
                              const std::string& defaultValue) override {
            return ValueIn(copy_, section, key).value_or(defaultValue);
        }

        void WriteEntry(const std::string& section, const std::string& key, const std::string& value) override {
            const auto refusal = files_.refusals_.find(FileName());
            if (use_ != IniFileUse::Save || (refusal != files_.refusals_.end() && writes_ >= refusal->second)) {
                throw CannotWriteIniFile(FileName());
            }
            ++writes_;
            files_.Written.push_back(section + "/" + key);
            for (Entry& entry : copy_) {
                if (entry.Section == section && entry.Key == key) {
                    entry.Value = value;
                    return;
                }
            }
            copy_.push_back({section, key, value});
        }

        std::vector<std::string> ReadSection(const std::string& section) override {
            std::vector<std::string> keys;
            for (const Entry& entry : copy_) {
                if (entry.Section == section) {
                    keys.push_back(entry.Key);
                }
            }
            return keys;
        }

        bool ChangedSinceFound() override {
            if (Take(files_.changesDuringSave_, FileName())) {
                files_.Files[FileName()].push_back({"OTHER", "changedBy", "another program"});
            }
            return files_.Stamp(FileName()) != Found().Stamp;
        }

        void BuildOn(const FilePath& base) override {
            copy_ = files_.Files.at(base);
            base_ = base;
        }

        FileSnapshot Commit() override {
            if (Take(files_.commitRefusals_, FileName())) {
                throw CannotWriteIniFile(FileName());
            }
            if (Take(files_.breakOffs_, FileName())) {
                const FilePath copy = CompleteCopyOf(FileName());
                files_.Files[copy] = copy_;
                File& file = files_.Files[FileName()];
                file.resize(file.size() / 2);
                throw EUnfinishedSave(FileName(), copy, files_.Stamp(FileName()));
            }
            files_.Files[FileName()] = copy_;
            if (base_) {
                files_.Files.erase(*base_);
            }
            return {files_.Stamp(FileName()), FingerprintOf(BytesOf(copy_))};
        }

    private:
        MemoryIniFiles& files_;
        IniFileUse use_;
        File copy_;
        std::optional<FilePath> base_;
        int writes_ = 0;
    };

    std::map<FilePath, int> refusals_;
    std::map<FilePath, std::uint64_t> touches_;
    std::vector<FilePath> commitRefusals_;
    std::vector<FilePath> breakOffs_;
    std::vector<FilePath> changesDuringSave_;
    std::map<FilePath, EIniFileException> loadRefusals_;
};
