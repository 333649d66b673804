#include "document/Questions.h"

#include "document/Texts.h"

namespace {

ShownText FileNamed(const FilePath& fileName) {
    return QuestionFileText + fileName + " ";
}

using enum Question::Buttons;
using enum Question::Icon;

}  // namespace

Question SaveChangesQuestion(const FilePath& fileName) {
    return {FileNamed(fileName) + SaveChangesText, YesNoCancel, Exclamation};
}

Question ReloadQuestion(const FilePath& fileName, bool discardingEdits) {
    const ShownText changed = FileNamed(fileName) + ChangedElsewhereText;
    if (discardingEdits) {
        return {changed + DiscardAndReloadText, YesNo, Exclamation, true};
    }
    return {changed + ReloadText, YesNo, QuestionMark};
}

Question OverwriteQuestion(const FilePath& fileName) {
    return {FileNamed(fileName) + OverwriteChangeText, YesNo, Exclamation, true};
}

Question GoneNotice(const FilePath& fileName) {
    return {FileNamed(fileName) + GoneText, Ok, Exclamation};
}

Question UnfinishedSaveNotice(const FilePath& fileName, const FilePath& copyPath) {
    return {FileNamed(fileName) + UnfinishedSaveText + FileNamed(copyPath) + LeftInCopyText, Ok, Exclamation};
}
