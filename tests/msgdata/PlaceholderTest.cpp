#include <gtest/gtest.h>
#include <mutex>
int msgdata_placeholder();
TEST(Placeholder, Runs) { std::mutex m; std::lock_guard<std::mutex> g(m); EXPECT_EQ(1, msgdata_placeholder()); }
