#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/win32/handlers.h"

namespace flurb::platform::win32 {
namespace {

struct HandlerCase {
  const char* name;
  std::function<void()> handler;
  bool ranToItsEnd;
  const char* reportMentions;
};

class Handler : public testing::TestWithParam<HandlerCase> {};

TEST_P(Handler, AFailureEndsItAndIsReportedOnce) {
  const HandlerCase& handlerCase = GetParam();
  std::vector<std::string> reports;
  EXPECT_EQ(runHandler(handlerCase.handler,
                       [&](const std::string& sentence) { reports.push_back(sentence); }),
            handlerCase.ranToItsEnd);
  if (handlerCase.ranToItsEnd) {
    EXPECT_TRUE(reports.empty());
  } else {
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_NE(reports.front().find(handlerCase.reportMentions), std::string::npos)
        << reports.front();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Handler,
    testing::Values(HandlerCase{"Returns", [] {}, true, ""},
                    HandlerCase{"RuntimeError", [] { throw RuntimeError("no picture \"q\""); },
                                false, "no picture \"q\""},
                    HandlerCase{"OtherException", [] { throw std::length_error("too long"); },
                                false, "too long"}),
    [](const testing::TestParamInfo<HandlerCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace flurb::platform::win32
