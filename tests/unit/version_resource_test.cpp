// The version resource every executable of the build carries, against the
// version the build read from it.
#include <gtest/gtest.h>

#include "win/VersionResource.h"

TEST(VersionResource, CarriesTheBuildVersionAndTheMakersEntries) {
    const win::VersionResource version;
    ASSERT_TRUE(version.Present());
    EXPECT_EQ(version.Entry("FileVersion"), VANTREL_VERSION);
    EXPECT_EQ(version.Entry("ProductVersion"), VANTREL_VERSION);
    EXPECT_EQ(version.Entry("CompanyName"), "Plinkor");
    EXPECT_EQ(version.Entry("ProductName"), "Vantrel");
    EXPECT_EQ(version.Entry("LegalCopyright"), "Copyright (C) 2026 Plinkor");
    EXPECT_FALSE(version.Entry("FileDescription").empty());
    EXPECT_EQ(version.Entry("NoSuchEntry"), "");
    EXPECT_EQ(version.Entry(""), "");
    EXPECT_EQ(version.Entry(std::string(300, 'F')), "");
}

TEST(VersionResource, AFileWithoutOneHasNoEntries) {
    const win::VersionResource missing("T:\\no-such-file.exe");
    EXPECT_FALSE(missing.Present());
    EXPECT_EQ(missing.Entry("FileVersion"), "");
}
