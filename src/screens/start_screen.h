// The start screen's seat buttons, one in each status panel, and the old options panel.
#pragma once

#include <cstdint>

void UcBtnMenuSt0_Click(int32_t Index);
// Cycles seat wkID: none -> human -> computer -> none, and redraws the panels.
void UcBtnStart(int32_t wkID);
// The seat button's face for the seat's kind.
void RefreshUC(int32_t wkID);

void CmdPlayer_Click(int32_t Index);
void WriteOption();
void cmdCloseOpt_Click();
void cmdDataGet_Click(int32_t Index);
