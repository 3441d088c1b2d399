// Bounded copies: the exact fit, one character over, a buffer of none.
#include "framework/Text.h"

#include <gtest/gtest.h>

TEST(CopyToBuffer, CutsAtTheBufferEndAndTerminates)
{
    wchar_t buffer[6] = L"#####";
    EXPECT_TRUE(CopyToBuffer(buffer, 5, L"abcd"));
    EXPECT_STREQ(buffer, L"abcd");
    EXPECT_FALSE(CopyToBuffer(buffer, 5, L"vwxyz"));
    EXPECT_STREQ(buffer, L"vwxy");
    EXPECT_FALSE(CopyToBuffer(buffer, 0, L"x"));
    EXPECT_STREQ(buffer, L"vwxy");
}
