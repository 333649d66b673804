#pragma once

#include <string>

// Gives the file replacement the owner and permissions of the file target where they differ (a
// copy made in the same folder mostly has them already). Full paths in the system's Unicode
// form; false where they could not all be given.
bool CarrySecurity(const std::wstring& target, const std::wstring& replacement);
