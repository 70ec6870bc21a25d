// The apartment a program holds for its GUI thread: joined while the object
// lives, released when it goes. A fresh thread, so that no other test's COM
// state counts.
#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

#include "classlib/ComApartment.h"

namespace {

TEST(ComApartment, TheThreadIsSingleThreadedWhileItLivesAndFreeAfter) {
  HRESULT inside = S_OK, after = E_FAIL;
  bool joined = false;
  std::thread([&] {
    {
      const cl::TComApartment com;
      joined = com.Joined();
      // A multi-threaded apartment is refused while the single-threaded one
      // stands, as the new-style folder browser needs.
      inside = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      if (SUCCEEDED(inside)) CoUninitialize();
    }
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(after)) CoUninitialize();
  }).join();
  EXPECT_TRUE(joined);
  EXPECT_EQ(inside, RPC_E_CHANGED_MODE);
  EXPECT_EQ(after, S_OK);
}

}  // namespace
