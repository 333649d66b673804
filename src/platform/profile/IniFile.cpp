#include "platform/profile/IniFile.h"

#include <string>

#include "platform/Exception.h"
#include "platform/Texts.h"

namespace {

// "<path> " and then what is wrong with it.
EIniFileException ErrorNaming(const FilePath& fileName, const char* what) {
    return EIniFileException(fileName + what);
}

}  // namespace

EIniFileException CannotWriteIniFile(const FilePath& fileName) {
    return ErrorNaming(fileName, CannotWriteText);
}

EIniFileException CannotReadIniFile(const FilePath& fileName) {
    return ErrorNaming(fileName, CannotReadText);
}

EIniFileException NotAProjectFile(const FilePath& fileName) {
    return ErrorNaming(fileName, NotAProjectText);
}

EIniFileException TooLargeFile(const FilePath& fileName) {
    return EIniFileException(fileName + TooLargeText + std::to_string(LargestProjectFile >> 20) + TooLargeLimitText);
}

EUnfinishedSave::EUnfinishedSave(const FilePath& fileName, FilePath copy, const DiskStamp& left)
    : EIniFileException(fileName + UnfinishedWriteText + UnfinishedCopyText + copy + UnfinishedCopyEndText),
      copy_(std::move(copy)),
      left_(left) {}
