// The table is built on first use, and that first use may come from a worker thread while
// the main thread looks something up too.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "i18n/translate.h"
#include "i18n/translation_table.h"

namespace mf::i18n {
namespace {

constexpr int kThreads = 8;

// Starts the threads together so that all of them make the very first lookup at once; each
// then looks up every key. Returns 0 when all threads saw the same, complete table.
int ConcurrentFirstLookups() {
  std::latch start(kThreads);
  std::vector<std::vector<const std::string*>> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      for (const TranslationPair& pair : TranslationPairs()) seen[t].push_back(FindUkrainian(pair.english));
    });
  }
  for (std::thread& thread : threads) thread.join();

  for (int t = 1; t < kThreads; ++t) {
    if (seen[t] != seen[0]) {
      std::fprintf(stderr, "thread %d saw another table than thread 0\n", t);
      return 1;
    }
  }
  size_t row = 0;
  for (const TranslationPair& pair : TranslationPairs()) {
    const std::string* found = seen[0][row++];
    if (found == nullptr || *found != pair.ukrainian) {
      std::fprintf(stderr, "wrong lookup result for \"%.*s\"\n", static_cast<int>(pair.english.size()),
                   pair.english.data());
      return 1;
    }
  }
  return 0;
}

#if GTEST_HAS_DEATH_TEST
// Run in a freshly started copy of this program that runs only this test, so that the
// table has certainly not been built before the threads start.
TEST(TranslationFirstUseTest, ThreadsMakingTheFirstLookupTogetherAgree) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(ConcurrentFirstLookups()), ::testing::ExitedWithCode(0), "");
}
#endif

TEST(TranslationFirstUseTest, ThreadsLookingUpTogetherAgree) { EXPECT_EQ(ConcurrentFirstLookups(), 0); }

}  // namespace
}  // namespace mf::i18n
