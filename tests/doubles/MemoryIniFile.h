#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Exception.h"
#include "platform/IniFile.h"

// Profile files kept in memory, one per path, in the order their sections and keys were first
// written. It can be told to refuse writes to a path, from a given write on.
class MemoryIniFiles {
public:
    struct Entry {
        std::string Section;
        std::string Key;
        std::string Value;
        bool operator==(const Entry&) const = default;
    };
    using File = std::vector<Entry>;

    std::map<std::string, File> Files;
    std::vector<std::string> Opened;  // every path an object was created on, in order
    int Released = 0;                 // objects destroyed so far

    // Writes to path fail from its nth write of this run on (0: the first).
    void RefuseWrites(const std::string& path, int fromWrite = 0) { refusals_[path] = fromWrite; }
    void AllowWrites(const std::string& path) { refusals_.erase(path); }

    std::optional<std::string> Value(const std::string& path,
                                     const std::string& section,
                                     const std::string& key) const {
        const auto file = Files.find(path);
        if (file == Files.end()) {
            return std::nullopt;
        }
        for (const Entry& entry : file->second) {
            if (entry.Section == section && entry.Key == key) {
                return entry.Value;
            }
        }
        return std::nullopt;
    }

    IniFileOpener Opener() {
        return [this](const std::string& path) -> std::unique_ptr<TCustomIniFile> {
            Opened.push_back(path);
            return std::make_unique<Object>(*this, path);
        };
    }

private:
    class Object : public TCustomIniFile {
    public:
        Object(MemoryIniFiles& files, const std::string& path) : TCustomIniFile(path), files_(files) {}
        ~Object() override { ++files_.Released; }

        std::string ReadEntry(const std::string& section,
                              const std::string& key,
                              const std::string& defaultValue) override {
            return files_.Value(FileName(), section, key).value_or(defaultValue);
        }

        void WriteEntry(const std::string& section, const std::string& key, const std::string& value) override {
            const auto refusal = files_.refusals_.find(FileName());
            if (refusal != files_.refusals_.end() && writes_ >= refusal->second) {
                throw CannotWriteIniFile(FileName());
            }
            ++writes_;
            File& file = files_.Files[FileName()];
            for (Entry& entry : file) {
                if (entry.Section == section && entry.Key == key) {
                    entry.Value = value;
                    return;
                }
            }
            file.push_back({section, key, value});
        }

    private:
        MemoryIniFiles& files_;
        int writes_ = 0;
    };

    std::map<std::string, int> refusals_;
};
