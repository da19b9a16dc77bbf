// A new game's screen and records as the title's "開始" lays them out, but with no pass played:
// tests of one phase (a question, a fight, a duel) run inside it. The seats take the kinds chosen
// on the title.
#pragma once

namespace testing_support {

void LayOutNewGame();

}  // namespace testing_support
