#include "win32/TestApplicationHost.h"

TestApplicationHost::TestApplicationHost()
    : window_(CreateWindowExA(0,
                              "STATIC",
                              "ZUB Runtime Editor",
                              WS_POPUP,
                              0,
                              0,
                              0,
                              0,
                              nullptr,
                              nullptr,
                              GetModuleHandleA(nullptr),
                              nullptr)) {
    SetModalOwner(window_);
}

TestApplicationHost::~TestApplicationHost() {
    SetModalOwner(nullptr);
    DestroyWindow(window_);
}

std::string TestApplicationHost::Title() const {
    char title[256] = {};
    GetWindowTextA(window_, title, static_cast<int>(sizeof title));
    return title;
}
