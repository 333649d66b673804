#pragma once

#include "platform/Exception.h"

// The error of the Win32 call that just failed, with the system's own text for it.
Exception LastWin32Error();
