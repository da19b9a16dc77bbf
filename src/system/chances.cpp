#include "system/chances.h"

#include "system/utility.h"

bool Chance::draw() const { return kind == Kind::Percent ? RandomPercent(value) : RandomOneIn(value); }

int32_t FirstChance(std::initializer_list<Chance> chain) {
  int32_t i = 0;
  for (const Chance& c : chain) {
    if (c.draw()) return i;
    ++i;
  }
  return -1;
}

bool ChanceAnd(Chance chance, bool condition) {
  const bool drawn = chance.draw();
  return drawn && condition;
}
