// The window helpers of the utility module, on our toolkit: placing windows and controls,
// dragging a borderless window, selecting a text box's text and the open/save dialog.
#pragma once

#include <cstdint>
#include <string>

#include "ui/control.h"
#include "ui/text_box.h"
#include "ui/window.h"

// Gives the window a Width x Height client area and centres it: the main window on the
// desktop, any other window in the main window. A Left or Top other than -1 is used as is.
// Our windows have no frame, so WithFrame adds nothing to Width and Height.
void FitFormWindow(ui::Window& Form, int32_t& Width, int32_t& Height, bool WithFrame = false, int32_t Left = -1,
                   int32_t Top = -1);

// Places a control in pixels; -1 leaves a value as it is. FontSize (pixels, -1 = unchanged)
// becomes pixels x 15 / 20 points.
void MoveCtl(ui::Control& Ctl, int32_t Left, int32_t Top, int32_t Width, int32_t Height, int32_t FontSize = -1);

// Releases the mouse capture and moves the window (or a control) with the pointer until the
// button is released.
void DragWindow(ui::Control& Target);

// Selects the whole text of the box; without a box, that of the active control when it is a
// text box. A given box gets the focus first.
void SelectAllText(ui::TextBox* Box = nullptr);

// The open dialog (Mode "LOAD") or the save dialog (any other Mode). Filter: description and
// pattern pairs separated by NUL or "/"; an empty Title gives "ファイルを開く" or
// "ファイルを保存する". Returns the chosen full path, "" when cancelled. With MultiSelect an
// open may choose several files: the folder, then each name, separated by tabs.
std::string ShowFileDialog(ui::Window* Owner, const std::string& Filter, const std::string& InitialDir,
                           const std::string& DefaultFile, const std::string& Title, const std::string& Mode,
                           bool MultiSelect = false);
