#include "document/Questions.h"

#include "document/Texts.h"

namespace {

std::string FileNamed(const std::string& fileName) {
    return QuestionFileText + fileName + " ";
}

using enum Question::Buttons;
using enum Question::Icon;

}  // namespace

Question SaveChangesQuestion(const std::string& fileName) {
    return {FileNamed(fileName) + SaveChangesText, YesNoCancel, Exclamation};
}

Question ReloadQuestion(const std::string& fileName, bool discardingEdits) {
    const std::string changed = FileNamed(fileName) + ChangedElsewhereText;
    if (discardingEdits) {
        return {changed + DiscardAndReloadText, YesNo, Exclamation, true};
    }
    return {changed + ReloadText, YesNo, QuestionMark};
}

Question OverwriteQuestion(const std::string& fileName) {
    return {FileNamed(fileName) + OverwriteChangeText, YesNo, Exclamation, true};
}

Question GoneNotice(const std::string& fileName) {
    return {FileNamed(fileName) + GoneText, Ok, Exclamation};
}

Question UnfinishedSaveNotice(const std::string& fileName, const std::string& copyPath) {
    return {FileNamed(fileName) + UnfinishedSaveText + FileNamed(copyPath) + LeftInCopyText, Ok, Exclamation};
}
