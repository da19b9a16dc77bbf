// The toolkit's one-thread heart: the backend in use, the event pump, mouse capture, focus
// and the composed frame.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/backend.h"

namespace ui {

class Control;
class Window;

// Installs the backend every window draws to and reads input from. Replaces (and ends) a
// previous one. Windows may be made before; they appear once a backend is there.
void init(std::unique_ptr<Backend> backend);
// Ends the backend; windows stay but draw nowhere.
void shutdown();
bool hasBackend();
Backend& backend();

// One pump: runs the handlers of every event queued so far, then shows the frame when
// something changed and the last frame is a few milliseconds old. Re-entrant: a handler
// may pump again. Never waits.
void DoEvents();
// As DoEvents, but when nothing was queued it sleeps until an event comes (and runs it) or
// something falls due (a frame the pacing of presents held back, a tooltip's delay), at most
// maxWaitMs when that is not -1: the pump of a loop that waits for the user, which so costs
// nothing while the user thinks.
void DoEventsWait(int maxWaitMs = -1);

// Marks the frame for recomposition.
void invalidate();
// Off: no frame is composed or shown, while everything else (drawing into the controls, timed
// waits) runs as before. Whole games without a screen use it.
void setPresenting(bool on);
bool presenting();
// Frames shown since the program started.
int64_t framesPresented();
// Off: timed waits (WaitUntil) end at once. For what is drawn while no window is on screen yet:
// nobody can see its pace.
void setPacing(bool on);
bool pacing();
// The pump running now returns after the handler that calls this; the events still queued
// wait for the next pump. A handler that ends a loop further up the stack calls it, so that
// the events after it are handled once that loop has unwound, not inside it.
void interruptPump();
// Composes and shows the frame if it changed (force: now, ignoring the pacing).
void Present(bool force = false);
// For a timed wait that ends at `deadline` (sys::clock() ticks): shows a changed frame now, or,
// when the pacing holds it back, as soon as the pacing allows if that is before the deadline.
// So whatever was drawn before a wait is on screen during it.
void PresentForWait(int64_t deadline);
// For a timed wait that ends at `deadline`, in a stretch where input must not wait for the next
// pump (a way out of a game): takes the window's events queued so far into the queue of the
// next pump, handling none and keeping their order, and calls `arrived` when it took any. With
// the real clock it sleeps on the window's events meanwhile, until shortly before the deadline;
// the clock's exact wait does the rest. Short waits in a row look at the window every few
// milliseconds only.
void WatchUntil(int64_t deadline, const std::function<void()>& arrived);
// Whether the events WatchUntil took hold a press or release of the mouse over `control` or a
// press of `key` while control's window gets the keys.
bool pressQueued(const Control* control, int key);
// The frame as composed last (the main window with every shown window over it).
const gfx::Surface& frame();
// Minimum time between two presents.
constexpr int kPresentIntervalMs = 4;

// The main window (the first window made as main), or null.
Window* mainWindow();
bool isMinimized();

// The user asked to close the main window (also raised through its QueryUnload).
bool quitRequested();
void clearQuitRequest();

// The control holding the mouse capture, or null.
Control* captureControl();
void releaseCapture();
// The window that gets input now: the innermost modal window, else the main window.
Window* activeWindow();

// State of the keyboard and mouse as the pump last saw them (also while input is off).
bool keyHeld(int virtualKey);
int mouseButtons();
int shiftState();

// Moves `c` with the pointer until the mouse buttons are released (the drag of a borderless
// window by its caption): for the main window the window on the desktop, for any other
// control its place in its container. Escape puts it back where it was. Handlers get no
// mouse or key events meanwhile.
void DragControl(Control& c);

// The tooltip on show now, "" when none.
std::string toolTipShown();

// Double-click rules of the platform.
constexpr int kDoubleClickMs = 500;
constexpr int kDoubleClickDistance = 4;
// Hover time before a tooltip shows.
constexpr int kToolTipDelayMs = 500;

}  // namespace ui
