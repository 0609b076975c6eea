// Replays the fuzzers' seed corpus with the unit tests: each input must pass the fuzz target's own
// checks (a failed check aborts, after the input's name).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

// libFuzzer's name for the fuzz target.
// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(FuzzCorpus, EverySeedPassesTheDecodersChecks) {
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(FLURB_FUZZ_CORPUS_DIR)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    std::fprintf(stderr, "replaying %s\n", entry.path().filename().c_str());
    EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0) << entry.path();
    ++seeds;
  }
  EXPECT_GT(seeds, 0) << "the corpus is empty";
}

}  // namespace
