#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tovel {
namespace {

TEST(StartOptions, WhatTheCommandLineAsks) {
    EXPECT_EQ(ReadStartOptions({}).request, StartRequest::Run);
    EXPECT_FALSE(ReadStartOptions({}).userData);
    EXPECT_TRUE(ReadStartOptions({"--user-data"}).userData);
    // Help and version win wherever they stand, even beside an unknown option.
    EXPECT_EQ(ReadStartOptions({"--user-data", "--help"}).request, StartRequest::Help);
    EXPECT_EQ(ReadStartOptions({"--bogus", "-h"}).request, StartRequest::Help);
    EXPECT_EQ(ReadStartOptions({"--version"}).request, StartRequest::Version);
    // A file a file manager passes is no option.
    EXPECT_EQ(ReadStartOptions({"problema.txt"}).request, StartRequest::Run);
    const StartOptions unknown = ReadStartOptions({"--user-data", "--usr-data", "-x"});
    EXPECT_EQ(unknown.request, StartRequest::Unknown);
    EXPECT_EQ(unknown.unknown, "--usr-data");
    EXPECT_EQ(ReadStartOptions({"-"}).request, StartRequest::Run);
}

TEST(StartOptions, UsageAndVersionTexts) {
    EXPECT_EQ(TovelVersionLine(), std::string("tovel ") + TOVEL_VERSION + "\n");
    EXPECT_EQ(TovelUsage().rfind("usage: tovel [--user-data]\n", 0), 0u);
}

}  // namespace
}  // namespace tovel
