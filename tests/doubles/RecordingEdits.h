#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "document/ProjectTable.h"

// The project's edit texts, which remember which of them the program changed, and in what order.
class RecordingEdits : public ProjectEdits {
public:
    std::array<std::string, ProjectRowCount> Texts;
    std::vector<std::size_t> Changes;  // rows whose text a set actually changed

    std::string EditText(std::size_t row) const override { return Texts.at(row); }

    void SetEditText(std::size_t row, const std::string& text) override {
        if (Texts.at(row) != text) {
            Texts[row] = text;
            Changes.push_back(row);
        }
    }
};
