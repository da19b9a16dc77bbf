#include "engine/facilities.h"

#include "presentation/message.h"
#include "system/utility.h"

void WarningNomoney() {
  WriteMessage("{1&F84}{1&F44}お金が足りませんよ～", false);
  WaitSec(sys::Fixed::fromRaw(8000));
}

// Not built yet: the procedure arrives with its own change; until then it does nothing.
void Init20Drug(int32_t) {}

void Init20Inn(int32_t) {}

void Init20Sougou(int32_t) {}

void Init20Game(int32_t) {}

void Init20Gymnasium(int32_t, bool) {}
