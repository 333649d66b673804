#include "platform/IniFile.h"

#include <string>

#include "platform/Exception.h"
#include "platform/Texts.h"

namespace {

EIniFileException ErrorNaming(const std::string& fileName, std::string message) {
    message.replace(message.find("%s"), 2, fileName);
    return EIniFileException(message);
}

}  // namespace

EIniFileException CannotWriteIniFile(const std::string& fileName) {
    return ErrorNaming(fileName, CannotWriteText);
}

EIniFileException CannotReadIniFile(const std::string& fileName) {
    return ErrorNaming(fileName, CannotReadText);
}

EIniFileException NotAProjectFile(const std::string& fileName) {
    return ErrorNaming(fileName, NotAProjectText);
}

EIniFileException TooLargeFile(const std::string& fileName) {
    return ErrorNaming(fileName, TooLargeText + std::to_string(LargestProjectFile >> 20) + TooLargeLimitText);
}

EUnfinishedSave::EUnfinishedSave(const std::string& fileName, std::string copy, const DiskStamp& left)
    : EIniFileException(fileName + UnfinishedWriteText + UnfinishedCopyText + copy + UnfinishedCopyEndText),
      copy_(std::move(copy)),
      left_(left) {}
