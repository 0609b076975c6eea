#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/product_name.h"
#include "platform/qt/event_loop.h"
#include "platform/runtime_error.h"

namespace flurb::platform::qt {
namespace {

TEST(RunHandler, AHandlerThatFinishesReportsNothing) {
  std::vector<std::string> reports;
  bool ran = false;
  EXPECT_TRUE(runHandler([&] { ran = true; }, [&](const std::string& s) { reports.push_back(s); }));
  EXPECT_TRUE(ran);
  EXPECT_TRUE(reports.empty());
}

TEST(RunHandler, AFailureEndsTheHandlerAndIsReportedInOneSentence) {
  setProductName("Some Product");
  const std::vector<std::function<void()>> failures = {
      [] { throw RuntimeError("no picture named \"1\""); },
      [] { throw std::out_of_range("array index"); },
  };
  for (const auto& failure : failures) {
    std::vector<std::string> reports;
    bool reachedTheEnd = false;
    EXPECT_FALSE(runHandler(
        [&] {
          failure();
          reachedTheEnd = true;
        },
        [&](const std::string& s) { reports.push_back(s); }));
    EXPECT_FALSE(reachedTheEnd);
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0].find('\n'), std::string::npos);
    EXPECT_EQ(reports[0].back(), '.');
    EXPECT_EQ(reports[0].find("Some Product has stopped"), 0U);
  }
}

}  // namespace
}  // namespace flurb::platform::qt
