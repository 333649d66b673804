#include "platform/IniFile.h"

#include "platform/Exception.h"

EIniFileException CannotWriteIniFile(const std::string& fileName) {
    std::string message = "%s に書き込めません";
    message.replace(message.find("%s"), 2, fileName);
    return EIniFileException(message);
}
