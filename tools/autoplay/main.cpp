// Plays whole games on the headless program and the game's own clock, four computer seats unless
// told otherwise, and prints each game's turn log or a summary. The same seed gives the same game.
//
//   vorak-autoplay --map 2 --seed 7            one game, turn by turn
//   vorak-autoplay --map 1 --games 50 --summary   fifty games (seeds 1 to 50), one line each
//   vorak-autoplay --maps 123 --games 1000 --random-seeds --seed 9 --summary --memory   a soak
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/surface.h"
#include "support/autoplay.h"
#include "support/headless_program.h"
#include "support/random_human.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: vorak-autoplay [--seed N] [--map 1..3] [--games N] [--passes N] [--summary] [--present] "
               "[--frames-hash] [--seats KKKK] [--no-bosses] [--maps MMM] [--random-seeds] [--memory] "
               "[--random-humans]\n"
               "  --seed N     seed of the first game (the next games take N+1, N+2, ...); default 1\n"
               "  --map M      shipped map number; default 1\n"
               "  --games N    how many games; default 1\n"
               "  --passes N   leave a game still running when pass N+1 would start; default 1000\n"
               "  --summary    one line per game instead of the turn logs\n"
               "  --present    compose every frame as the screen would (slower)\n"
               "  --frames-hash  --present, and print a hash of every frame presented: a change that\n"
               "               should not alter the pictures must keep it\n"
               "  --no-bosses  empty the bosses' cells (they hold every piece until the fights are played)\n"
               "  --maps MMM   the maps in turn, one digit each (--maps 123); overrides --map\n"
               "  --random-seeds  each game's seed drawn from a stream seeded with --seed\n"
               "  --memory     the resident memory after games 1, 10, every 100th and the last\n"
               "  --random-humans  random seats and maps, the human seats pressing anything at random;\n"
               "               the whole run replays from --seed\n"
               "Exit status 1 when a game broke a rule or did not reach the goal.\n");
  return 2;
}

// Resident memory of this process in kB (0 where /proc cannot tell).
long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  testing_support::AutoplayOptions options;
  int games = 1;
  bool summary = false, present = false, hashFrames = false, randomSeeds = false, memory = false, randomHumans = false;
  std::vector<int32_t> maps;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    auto next = [&]() -> long long {
      if (i + 1 >= argc) std::exit(usage());
      return std::atoll(argv[++i]);
    };
    if (a == "--seed") {
      options.seed = static_cast<uint64_t>(next());
    } else if (a == "--map") {
      options.map = static_cast<int32_t>(next());
    } else if (a == "--games") {
      games = static_cast<int>(next());
    } else if (a == "--passes") {
      options.passLimit = static_cast<int32_t>(next());
    } else if (a == "--summary") {
      summary = true;
    } else if (a == "--seats") {
      if (i + 1 >= argc) return usage();
      const std::string_view kinds = argv[++i];
      if (kinds.size() != 4) return usage();
      for (size_t k = 0; k < 4; ++k) {
        if (kinds[k] < '0' || kinds[k] > '2') return usage();
        options.seats[k] = kinds[k] - '0';
      }
    } else if (a == "--no-bosses") {
      options.withoutBosses = true;
    } else if (a == "--present") {
      present = true;
    } else if (a == "--maps") {
      if (i + 1 >= argc) return usage();
      for (const char* m = argv[++i]; *m; ++m) {
        if (*m < '1' || *m > '9') return usage();
        maps.push_back(*m - '0');
      }
    } else if (a == "--random-seeds") {
      randomSeeds = true;
    } else if (a == "--memory") {
      memory = true;
    } else if (a == "--random-humans") {
      randomHumans = true;
    } else if (a == "--frames-hash") {
      present = hashFrames = true;
    } else {
      return usage();
    }
  }

  testing_support::HeadlessProgram program(present);
  program.start(options.seed);
  uint64_t framesHash = 0;
  if (hashFrames) {
    program.backend().onPresent = [&framesHash](const gfx::Surface& frame) {
      for (gfx::Color c : frame.pixels()) framesHash = framesHash * 0x100000001B3ULL + c;
      framesHash =
          framesHash * 31 + static_cast<uint64_t>(frame.width()) * 65536 + static_cast<uint64_t>(frame.height());
    };
  }
  if (randomHumans) {
    const testing_support::RandomGames run =
        testing_support::PlayRandomGames(program, {.seed = options.seed,
                                                   .games = games,
                                                   .passLimit = options.passLimit,
                                                   .withoutBosses = options.withoutBosses,
                                                   .print = true});
    std::printf(
        "%d games: %d goals, %d left, %d resumed, %d loads cancelled, %d program ends; %lld presses, %lld saves; %zu "
        "faults\n",
        run.played, run.goals, run.left, run.resumed, run.notLoaded, run.quits, static_cast<long long>(run.actions),
        static_cast<long long>(run.saves), run.faults.size());
    return run.faults.empty() ? 0 : 1;
  }
  int bad = 0;
  std::vector<int32_t> passes;
  const uint64_t first = options.seed;
  std::mt19937_64 seeds(first);
  for (int n = 0; n < games; ++n) {
    options.seed = randomSeeds ? seeds() % 1000000000 : first + static_cast<uint64_t>(n);
    if (!maps.empty()) options.map = maps[static_cast<size_t>(n) % maps.size()];
    const auto t0 = std::chrono::steady_clock::now();
    const testing_support::PlayedGame g = testing_support::Autoplay(program, options);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (!summary) std::printf("%s", g.log().c_str());
    std::printf(
        "map %d seed %llu: %s after %d passes, %zu turns, %d battles (%d bosses beaten), %d duels, %lld frames, "
        "%.0f s of game time, %.0f ms\n",
        options.map, static_cast<unsigned long long>(options.seed),
        g.goal   ? "goal"
        : g.hung ? "HUNG"
                 : "left",
        g.passes, g.turns.size(), g.battles, g.bossesBeaten, g.duels, static_cast<long long>(g.waits), g.gameSeconds,
        ms);
    if (hashFrames) std::printf("frames hash %016llx\n", static_cast<unsigned long long>(framesHash));
    for (const std::string& f : g.faults) std::printf("  FAULT %s\n", f.c_str());
    if (!g.goal || !g.faults.empty()) ++bad;
    passes.push_back(g.passes);
    std::fflush(stdout);
    const int played = n + 1;
    if (memory && (played == 1 || played == 10 || played % 100 == 0 || played == games)) {
      std::printf("resident memory after game %d: %ld kB\n", played, residentKb());
      std::fflush(stdout);
    }
  }
  if (games > 1) {
    std::sort(passes.begin(), passes.end());
    auto at = [&](double q) { return passes[static_cast<size_t>(q * static_cast<double>(passes.size() - 1))]; };
    std::printf("passes per game: min %d, quartiles %d / %d / %d, max %d; %d of %d games failed\n", passes.front(),
                at(0.25), at(0.5), at(0.75), passes.back(), bad, games);
  }
  return bad ? 1 : 0;
}
