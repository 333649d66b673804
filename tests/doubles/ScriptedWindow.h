#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/DocumentWindow.h"

// The main window as the document sees it, played from a script: the answers of the prompt and
// of the dialogs are queued beforehand, and everything the document asked of the window is
// recorded. Like the real window, a set that changes an edit's text calls Change, and a close
// request runs the close query.
class ScriptedWindow : public DocumentWindow {
public:
    // A dialog that keeps the name chosen in it last, like the real ones.
    struct Dialog {
        FilePath FileName;
        std::deque<std::optional<FilePath>> Answers;  // a name is chosen; nullopt cancels
        std::vector<FilePath> Offered;                // FileName at the start of each run

        std::optional<FilePath> Execute() {
            Offered.push_back(FileName);
            if (Answers.empty()) {
                ADD_FAILURE() << "a dialog ran that the script did not expect";
                return std::nullopt;
            }
            const std::optional<FilePath> answer = Answers.front();
            Answers.pop_front();
            if (answer) {
                FileName = *answer;
            }
            return answer;
        }
    };

    TDocument* Document = nullptr;
    std::string Title = "ZUB Runtime Editor";

    std::vector<std::string> Values = std::vector<std::string>(ProjectRowCount);
    std::vector<ShownText> Captions;
    Dialog SaveDialog;
    Dialog OpenDialog;
    std::deque<Answer> PromptAnswers;
    std::vector<Box> Prompts;
    std::vector<bool> CloseAnswers;  // CanClose of each close request that was answered
    bool Closed = false;
    std::vector<FilePath> RecentDocuments;  // each file the shell was told of, in order

    // The user types into an edit.
    void Type(std::size_t row, const std::string& text) {
        if (Values.at(row) != text) {
            Values[row] = text;
            Document->Change();
        }
    }

    const ShownText& Caption() const {
        static const ShownText none;
        return Captions.empty() ? none : Captions.back();
    }

    std::string EditText(std::size_t row) const override { return Values.at(row); }

    void SetEditText(std::size_t row, const std::string& text) override { Values.at(row) = text; }

    std::string ApplicationTitle() const override { return Title; }
    void SetCaption(const ShownText& caption) override { Captions.push_back(caption); }

    void SetSaveDialogFileName(const FilePath& fileName) override { SaveDialog.FileName = fileName; }
    std::optional<FilePath> ExecuteSaveDialog() override { return SaveDialog.Execute(); }
    std::optional<FilePath> ExecuteOpenDialog() override { return OpenDialog.Execute(); }

    Answer Ask(const Box& question) override {
        Prompts.push_back(question);
        if (PromptAnswers.empty()) {
            ADD_FAILURE() << "a message box was shown that the script did not expect";
            return Answer::Cancel;
        }
        const Answer answer = PromptAnswers.front();
        PromptAnswers.pop_front();
        return answer;
    }

    void NoteRecentDocument(const FilePath& fileName) override { RecentDocuments.push_back(fileName); }

    void RequestClose() override {
        bool canClose = true;
        Document->FormCloseQuery(canClose);
        CloseAnswers.push_back(canClose);
        Closed = Closed || canClose;
    }
};
