#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Exception.h"
#include "platform/dialogs/ModalFrame.h"
#include "platform/text/WideText.h"
#include "ui/ApplicationHost.h"

// The application object as the main window sees it: a hidden owner window titled like the
// application, which owns the dialogs too, and a record of what the window asked of it.
class TestApplicationHost : public ApplicationHost {
public:
    TestApplicationHost();
    ~TestApplicationHost() override;
    TestApplicationHost(const TestApplicationHost&) = delete;
    TestApplicationHost& operator=(const TestApplicationHost&) = delete;

    HWND Handle() const override { return window_; }
    std::string Title() const override;
    // An error as the error box would show it, before its full stop.
    void ReportError(const std::exception& error) override {
        const auto* own = dynamic_cast<const Exception*>(&error);
        Errors.push_back(own ? Wide(own->Message()) : WidenAnsi(error.what()));
    }
    void Terminate() override { ++Terminations; }
    void Minimize() override { ++Minimizations; }
    void ShowApplicationIcon(HWND window, int dpi) override { IconRequests.push_back({window, dpi}); }

    struct IconRequest {
        HWND Window;
        int Dpi;
    };

    std::vector<std::wstring> Errors;
    std::vector<IconRequest> IconRequests;
    int Terminations = 0;
    int Minimizations = 0;

private:
    HWND window_;
};
