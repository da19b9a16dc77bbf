// Runs damaged files of one kind (or all) through the headless program and counts what was
// refused and what was read; exits with 1 when any broke a rule. A crash ends the program with
// the input that caused it left at --keep.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/damaged_files.h"

using testing_support::DamageOptions;
using testing_support::FileKind;

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: vorak-damaged [--kind map|monsters|saved-game|settings|slot|wav|midi|png|all]\n"
               "                     [--seed S] [--first I] [--count N] [--play-every K] [--keep FILE]\n"
               "Input I of seed S is the same damaged file on every run: --first I --count 1 replays it.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  DamageOptions options;
  std::string kind = "all";
  for (int i = 1; i < argc; ++i) {
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* arg = argv[i];
    const char* v = std::strcmp(arg, "--help") == 0 ? nullptr : value();
    if (!v) return usage();
    if (std::strcmp(arg, "--kind") == 0)
      kind = v;
    else if (std::strcmp(arg, "--seed") == 0)
      options.seed = static_cast<uint32_t>(std::strtoul(v, nullptr, 10));
    else if (std::strcmp(arg, "--first") == 0)
      options.first = std::atoi(v);
    else if (std::strcmp(arg, "--count") == 0)
      options.count = std::atoi(v);
    else if (std::strcmp(arg, "--play-every") == 0)
      options.playEvery = std::atoi(v);
    else if (std::strcmp(arg, "--keep") == 0)
      options.keepInputAt = v;
    else
      return usage();
  }
  std::vector<FileKind> kinds;
  for (FileKind k : testing_support::kAllFileKinds)
    if (kind == "all" || kind == testing_support::FileKindName(k)) kinds.push_back(k);
  if (kinds.empty()) return usage();
  int faults = 0;
  for (FileKind k : kinds) {
    testing_support::DamageReport r = testing_support::DamagedFiles(k, options);
    std::printf("%-10s seed %u: %d tried, %d read, %d refused, %d played, %zu faults\n",
                std::string(testing_support::FileKindName(k)).c_str(), options.seed, r.tried, r.read, r.refused,
                r.played, r.faults.size());
    for (const std::string& f : r.faults) std::printf("  %s\n", f.c_str());
    std::fflush(stdout);
    faults += static_cast<int>(r.faults.size());
  }
  return faults ? 1 : 0;
}
