#include "net/LocalHostName.h"

#include <QSysInfo>

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(LocalHostNameTest, IsTheMachinesName)
{
    EXPECT_FALSE(LocalHostName().isEmpty());
    EXPECT_EQ(LocalHostName(), QSysInfo::machineHostName());
}

} // namespace
} // namespace vesk
