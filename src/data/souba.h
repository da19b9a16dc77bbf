// The five market prices every facility charges from, and their text form in a saved game.
#pragma once

#include <string_view>

// An empty text draws new prices. A text of five comma-separated numbers restores them (and
// becomes SoubaText); any other text draws new prices and rewrites SoubaText.
void SetSouba(std::string_view text);
// True when SetSouba would restore the text as five prices.
bool SoubaTextValid(std::string_view text);
