#include <gtest/gtest.h>

TEST(RichEditProbe, Placeholder) {}
