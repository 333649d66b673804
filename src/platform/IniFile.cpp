#include "platform/IniFile.h"

#include "platform/Exception.h"

namespace {

EIniFileException ErrorNaming(const std::string& fileName, std::string message) {
    message.replace(message.find("%s"), 2, fileName);
    return EIniFileException(message);
}

}  // namespace

EIniFileException CannotWriteIniFile(const std::string& fileName) {
    return ErrorNaming(fileName, "%s に書き込めません");
}

EIniFileException CannotReadIniFile(const std::string& fileName) {
    return ErrorNaming(fileName, "%s を読み込めません");
}

EIniFileException NotAProjectFile(const std::string& fileName) {
    return ErrorNaming(fileName, "%s はプロジェクト ファイルではありません");
}

EUnfinishedSave::EUnfinishedSave(const std::string& fileName, std::string copy, const DiskStamp& left)
    : EIniFileException(fileName + " に最後まで書き込めませんでした。このファイルは不完全な可能性があります。\r\n\r\n" +
                        "保存しようとした内容は、ファイル " + copy + " に残っています"),
      copy_(std::move(copy)),
      left_(left) {}
