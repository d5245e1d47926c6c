#pragma once
// Every value the program keeps between runs, with its default. Reads and
// writes go through SettingsStore by these names only.
#include <cstdint>

struct IntSetting {
    const char* name;
    int32_t defaultValue;
};

struct TextSetting {
    const char* name;
    const char* defaultValue;
};

namespace setting {
constexpr IntSetting kMethod{"Method", 0};              // position of the chosen algorithm
constexpr TextSetting kLanguage{"Language", "English"};  // name of the language pack
constexpr IntSetting kAlertDisabled{"AlertDisabled", 0};  // the old-shell notice is not shown again
constexpr IntSetting kBinAlertDisabled{"BinAlertDisabled", 0};  // the Recycle Bin conflict notice is not shown again
constexpr IntSetting kSolidStateAlertDisabled{"SolidStateAlertDisabled", 0};  // the solid-state notice is not shown again
constexpr IntSetting kFolder{"Folder", 0};  // shred subfolder contents: 0 Never, 1 Prompt, 2 Always
constexpr IntSetting kRemove{"Remove", 0};  // remove subfolders afterwards: 0 Never, 1 Prompt, 2 Always
constexpr TextSetting kFirstRun{"FirstRun", "1"};  // "1": the first-run wizard opens with the main window
constexpr IntSetting kPassCount{"PassCount", 3};   // read when the default scheduled tasks are built
constexpr IntSetting kVerify{"Verify", 0};  // not 0: the last pass is read back before a file is cut
}  // namespace setting
