// capsaro.scr's manifest as the system reads it: sizes in physical pixels on every monitor
// (per-monitor awareness, version 2, with the older per-monitor form for systems before it) and
// common controls 6. Under Wine every process counts as DPI aware, so asking the running
// process would prove nothing: the test makes an activation context from the program's manifest
// resource and reads its settings back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// A handle to an activation context, released when it goes.
class ActivationContext {
public:
    explicit ActivationContext(const std::wstring& module) {
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = module.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);
        handle_ = CreateActCtxW(&request);
    }
    ~ActivationContext() {
        if (handle_ != INVALID_HANDLE_VALUE) ReleaseActCtx(handle_);
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;
    HANDLE Handle() const { return handle_; }

    // The value of a windowsSettings element; empty when the manifest has none.
    std::wstring Setting(const wchar_t* space, const wchar_t* name) const {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, handle_, space, name, value, 64, &written)) return L"";
        return value;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

std::wstring ProgramPath() {
    const std::string path = CAPSARO_BINARY_DIR "/capsaro.scr";
    return std::wstring(path.begin(), path.end());
}

TEST(CapsaroManifest, DeclaresPerMonitorAwarenessInBothForms) {
    const ActivationContext context(ProgramPath());
    ASSERT_NE(context.Handle(), INVALID_HANDLE_VALUE) << "no manifest resource in capsaro.scr";
    EXPECT_EQ(context.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2");
    EXPECT_EQ(context.Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
    // A setting the manifest does not hold reads as nothing, so the two above were really read.
    EXPECT_EQ(context.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"gdiScaling"), L"");
}

} // namespace
