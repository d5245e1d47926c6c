// The manifest as the system reads it: resource 1 of type RT_MANIFEST in the
// built program, loaded as data.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/TestFolder.h"
#include "win/UniqueResource.h"

namespace {

std::string ProgramManifest() {
    const std::string program = TestDriveRoot() + "bin\\Vantrel.exe";
    win::UniqueModule module(::LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return "<no program at " + program + ">";
    HRSRC found = ::FindResourceA(module.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (found == nullptr) return "<no manifest>";
    HGLOBAL loaded = ::LoadResource(module.Get(), found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) return "<manifest unreadable>";
    return std::string(static_cast<const char*>(bytes), ::SizeofResource(module.Get(), found));
}

// The text of the first element `open` ... `close` at or after `from`.
std::string Element(const std::string& text, const std::string& open, const std::string& close) {
    const size_t begin = text.find(open);
    if (begin == std::string::npos) return {};
    const size_t end = text.find(close, begin);
    return end == std::string::npos ? std::string() : text.substr(begin, end + close.size() - begin);
}

TEST(ProgramManifest, DeclaresInvokerLevelSystemsDpiAndCommonControls) {
    const std::string manifest = ProgramManifest();
    ASSERT_EQ(manifest.rfind("<?xml", 0), 0u) << manifest;

    const std::string trust = Element(manifest, "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">", "</trustInfo>");
    EXPECT_NE(trust.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos)
        << manifest;

    const std::string systems =
        Element(manifest, "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">", "</compatibility>");
    for (const char* id : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",    // Vista
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",    // 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",    // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",    // 8.1
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // 10 and 11
        EXPECT_NE(systems.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos) << id;

    const std::string settings = Element(manifest, "<windowsSettings>", "</windowsSettings>");
    EXPECT_NE(settings.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
              std::string::npos)
        << manifest;
    EXPECT_NE(Element(manifest, "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">", "</application>")
                  .find("<windowsSettings>"),
              std::string::npos)
        << "DPI awareness belongs to the application element of asm.v3";

    const std::string controls = Element(manifest, "<dependentAssembly>", "</dependentAssembly>");
    EXPECT_NE(controls.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
        << manifest;
}

}  // namespace
