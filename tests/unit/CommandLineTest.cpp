#include "main/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = CommandLineRequest::Kind;

}  // namespace

TEST(ReadCommandLine, OneFileNameOpensItNothingStartsUntitledAnythingElseAsksForUsage) {
    const struct {
        std::vector<std::wstring> Arguments;
        Kind Expected;
        std::wstring FileName;
    } cases[] = {
        {{}, Kind::Untitled, L""},
        // As Explorer passes it, and as typed: a relative name stays as given, to be made full.
        {{L"C:\\プロジェクト\\Café 한.zrt"}, Kind::OpenFile, L"C:\\プロジェクト\\Café 한.zrt"},
        {{L"sub\\p.zrt"}, Kind::OpenFile, L"sub\\p.zrt"},
        {{L"p"}, Kind::OpenFile, L"p"},
        {{L"\\\\server\\share\\p.zrt"}, Kind::OpenFile, L"\\\\server\\share\\p.zrt"},
        {{L"a.zrt", L"b.zrt"}, Kind::Usage, L""},
        {{L"a.zrt", L""}, Kind::Usage, L""},
        {{L"/?"}, Kind::Usage, L""},
        {{L"/p"}, Kind::Usage, L""},
        {{L"-h"}, Kind::Usage, L""},
        {{L"--help"}, Kind::Usage, L""},
        {{L""}, Kind::Usage, L""},
    };
    for (const auto& [arguments, expected, fileName] : cases) {
        const std::wstring shown = arguments.empty() ? L"(none)" : arguments.front();
        SCOPED_TRACE(testing::Message() << arguments.size() << " argument(s), first " << shown.size() << " chars");
        const CommandLineRequest request = ReadCommandLine(arguments);
        EXPECT_EQ(request.What, expected);
        EXPECT_EQ(request.FileName, fileName);
    }
}
