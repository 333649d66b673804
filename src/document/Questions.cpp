#include "document/Questions.h"

namespace {

std::string FileNamed(const std::string& fileName) {
    return "ファイル " + fileName + " ";
}

using enum Question::Buttons;
using enum Question::Icon;

}  // namespace

Question SaveChangesQuestion(const std::string& fileName) {
    return {FileNamed(fileName) + "の内容が変更されています。\r\n\r\n変更を保存しますか?", YesNoCancel, Exclamation};
}

Question ReloadQuestion(const std::string& fileName, bool discardingEdits) {
    const std::string changed = FileNamed(fileName) + "は他のプログラムで変更されました。\r\n\r\n";
    if (discardingEdits) {
        return {changed + "ここでの変更を破棄して、読み込み直しますか?", YesNo, Exclamation, true};
    }
    return {changed + "読み込み直しますか?", YesNo, QuestionMark};
}

Question OverwriteQuestion(const std::string& fileName) {
    return {FileNamed(fileName) + "は他のプログラムで変更されています。\r\n\r\n上書きしますか?", YesNo, Exclamation,
            true};
}

Question GoneNotice(const std::string& fileName) {
    // A statement ends in a full stop, as every error message does.
    return {FileNamed(fileName) + "が見つかりません。\r\n\r\n削除されたか、移動された可能性があります.", Ok,
            Exclamation};
}

Question UnfinishedSaveNotice(const std::string& fileName, const std::string& copyPath) {
    return {FileNamed(fileName) + "の前回の保存は完了していません。\r\n\r\n保存しようとした内容は、" +
                FileNamed(copyPath) + "に残っています.",
            Ok, Exclamation};
}
