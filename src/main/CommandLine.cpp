#include "main/CommandLine.h"

namespace {

bool IsOption(const std::wstring& argument) {
    return argument.starts_with(L'/') || argument.starts_with(L'-');
}

}  // namespace

CommandLineRequest ReadCommandLine(std::span<const std::wstring> arguments) {
    if (arguments.empty()) {
        return {};
    }
    if (arguments.size() > 1 || arguments[0].empty() || IsOption(arguments[0])) {
        return {CommandLineRequest::Kind::Usage, {}};
    }
    return {CommandLineRequest::Kind::OpenFile, arguments[0]};
}
