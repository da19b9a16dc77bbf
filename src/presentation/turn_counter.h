// The turn counter on the top strip.
#pragma once

// Draws the pass counter TurnCount (True) or hides it (False).
void WriteSouba(bool iVisible);
