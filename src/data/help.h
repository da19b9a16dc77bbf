// The help text of each cell kind, shown as the tooltip of a board or palette cell.
#pragma once

#include <string>
#include <string_view>

// The text for a kind's name and parameter (compared exactly); "" when the kind has none.
// Lines are joined by CR LF.
std::string GetCellHelp(std::string_view kindName, std::string_view param);
