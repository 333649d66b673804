#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "document/ProjectTable.h"

// The project's edit texts, which remember which of them the program changed, and in what order.
class RecordingEdits : public ProjectEdits {
public:
    std::vector<std::string> Values = std::vector<std::string>(ProjectRowCount);
    std::vector<std::size_t> Changes;  // rows whose text a set actually changed

    std::string EditText(std::size_t row) const override { return Values.at(row); }

    void SetEditText(std::size_t row, const std::string& text) override {
        if (Values.at(row) != text) {
            Values[row] = text;
            Changes.push_back(row);
        }
    }
};
