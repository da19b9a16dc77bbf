#include "data/souba.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "data/fields.h"
#include "data/game_data.h"
#include "system/utility.h"

namespace {

// Five prices that read as numbers; a list of another length, or with a field that is no
// price, is not restored.
std::optional<std::array<Fixed, 5>> parsePrices(std::string_view text) {
  std::vector<std::string_view> fields = data_detail::splitAt(text, ',');
  if (fields.size() != 5) return std::nullopt;
  std::array<Fixed, 5> prices;
  for (size_t i = 0; i < 5; ++i) {
    std::optional<double> v = sys::parseNumber(fields[i]);
    if (!v || !std::isfinite(*v) || *v < 0 || *v > 1e9) return std::nullopt;
    prices[i] = Fixed::fromDouble(*v);
  }
  return prices;
}

void drawPrices() {
  auto& p = Game().SoubaPrice;
  // Five draws in this order; price 2 hangs on the new price 1.
  p[0] = Fixed(RandomRange(1, 10, 0)) + 10;
  p[1] = Fixed(RandomRange(1, 3, 0)) + 2;
  p[2] = p[1] - RandomRange(1, 3, 0);
  if (p[2] < 2) p[2] = 2;
  p[3] = Fixed(RandomRange(0, 2, 0)) + 1;
  p[4] = Fixed(RandomRange(0, 2, 0)) + 2;
  std::string text;
  for (size_t i = 0; i < p.size(); ++i) {
    if (i > 0) text += ',';
    text += sys::toText(p[i]);
  }
  Game().SoubaText = text;
}

}  // namespace

void SetSouba(std::string_view text) {
  std::string given(text);  // text may be SoubaText itself
  if (!given.empty()) {
    if (auto prices = parsePrices(given)) {
      Game().SoubaPrice = *prices;
      Game().SoubaText = given;
      return;
    }
  }
  drawPrices();
}

bool SoubaTextValid(std::string_view text) { return parsePrices(text).has_value(); }
