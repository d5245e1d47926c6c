// The splash as a real window: what it shows, and that it closes by itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "lang/LanguagePack.h"
#include "res/resource.h"
#include "ui/SplashWindow.h"

namespace {

struct SeenSplash {
    HWND window = nullptr;
    std::string name, version;
    bool hasIcon = false;
};

std::string TextOf(HWND window) {
    char buffer[512] = {};
    ::GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

// Watches from another thread, touching nothing: the splash must go away on its own.
void WatchSplash(SeenSplash& seen) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    HWND window = nullptr;
    while (std::chrono::steady_clock::now() < deadline && (window == nullptr || !::IsWindowVisible(window))) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        window = ::FindWindowA("#32770", "Vantrel");
    }
    if (window == nullptr) return;
    seen.window = window;
    seen.name = TextOf(::GetDlgItem(window, IDC_SPLASH_NAME));
    seen.version = TextOf(::GetDlgItem(window, IDC_SPLASH_VERSION));
    seen.hasIcon = ::GetDlgItem(window, IDC_SPLASH_ICON) != nullptr;
}

TEST(SplashWindow, ShowsTheNameAndVersionAndClosesByItself) {
    const LanguagePack texts{"T:\\no-such-folder", "English"};
    SeenSplash seen;
    std::thread watcher(WatchSplash, std::ref(seen));
    // Long enough for the watcher to read it; it ends by its own timer.
    ShowSplash(texts, 3000);
    watcher.join();
    ASSERT_NE(seen.window, nullptr);
    EXPECT_EQ(seen.name, "Vantrel");
    EXPECT_EQ(seen.version, std::string("Version: ") + VANTREL_VERSION);
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_FALSE(::IsWindow(seen.window));
}

}  // namespace
