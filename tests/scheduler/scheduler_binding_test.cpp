// Start-up keeps a collection client only when it is bound to an instance.
#include <gtest/gtest.h>

#include <objbase.h>

#include "app/SchedulerComponent.h"
#include "scheduler/TaskSchedulerClient.h"

namespace {

TEST(SchedulerBinding, AClassThatCannotBeMadeGivesNoClient) {
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    EXPECT_EQ(BindSchedulerClient("Vantrel.NoSuchClass"), nullptr);
    EXPECT_EQ(BindSchedulerClient(nullptr), nullptr);
    const auto bound = BindSchedulerClient("Scripting.Dictionary");  // a class every system has
    ASSERT_NE(bound, nullptr);
    EXPECT_TRUE(bound->IsBound());
    ::CoUninitialize();
}

}  // namespace
