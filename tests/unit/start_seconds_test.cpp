// Reading the initial setting from the command-line text.
#include "start_seconds.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ParseStartSeconds, ReadsALeadingDecimalNumber) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"", 0},
        {"90", 90},
        {"   90", 90},
        {"\t\r\n\v\f90", 90},
        {"+90", 90},
        {"90minutes", 90},
        {"90 30", 90},
        {"1e3", 1},
        {"0", 0},
        {"-30", -30},
        {"-", 0},
        {"+", 0},
        {"abc", 0},
        {"\"90\"", 0},
        {"010", 10},
        {"0x10", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999999", -2147483647 - 1},
        {"60000", 60000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseStartSeconds(c.text), c.value) << "\"" << c.text << "\"";
    }
    EXPECT_EQ(ParseStartSeconds(nullptr), 0);
}

}  // namespace
