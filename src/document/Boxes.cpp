#include "document/Boxes.h"

#include "document/Texts.h"

namespace {

ShownText FileNamed(const FilePath& fileName) {
    return QuestionFileText + fileName + " ";
}

using enum Box::Buttons;
using enum Box::Icon;

}  // namespace

Box SaveChangesQuestion(const FilePath& fileName) {
    return {FileNamed(fileName) + SaveChangesText, YesNoCancel, Exclamation};
}

Box ReloadQuestion(const FilePath& fileName, bool discardingEdits) {
    const ShownText changed = FileNamed(fileName) + ChangedElsewhereText;
    if (discardingEdits) {
        return {changed + DiscardAndReloadText, YesNo, Exclamation, true};
    }
    return {changed + ReloadText, YesNo, QuestionMark};
}

Box OverwriteQuestion(const FilePath& fileName) {
    return {FileNamed(fileName) + OverwriteChangeText, YesNo, Exclamation, true};
}

Box GoneNotice(const FilePath& fileName) {
    return {FileNamed(fileName) + GoneText, Ok, Exclamation};
}

Box UnfinishedSaveNotice(const FilePath& fileName, const FilePath& copyPath) {
    return {FileNamed(fileName) + UnfinishedSaveText + FileNamed(copyPath) + LeftInCopyText, Ok, Exclamation};
}
