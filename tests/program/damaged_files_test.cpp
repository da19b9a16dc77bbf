// A few hundred damaged copies of each kind of file through the program's own load paths; the
// long run of thousands is tools/damaged/long-run.sh.
#include "support/damaged_files.h"

#include <gtest/gtest.h>

using testing_support::DamagedFiles;
using testing_support::FileKind;

class DamagedFilesTest : public ::testing::TestWithParam<FileKind> {};

TEST_P(DamagedFilesTest, EachIsRefusedOrReadWithItsValuesMended) {
  const testing_support::DamageReport r = DamagedFiles(GetParam(), {.seed = 1, .count = 200, .playEvery = 40});
  EXPECT_TRUE(r.faults.empty()) << ::testing::PrintToString(r.faults);
  // A run that refused every input would never have reached the code behind the check.
  EXPECT_GT(r.read, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DamagedFilesTest, ::testing::ValuesIn(testing_support::kAllFileKinds),
                         [](const ::testing::TestParamInfo<FileKind>& info) {
                           std::string name(testing_support::FileKindName(info.param));
                           std::erase(name, '-');
                           return name;
                         });
