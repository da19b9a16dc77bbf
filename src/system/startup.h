// Start-up and the end of the program.
#pragma once

#include <functional>
#include <string>

// Ends the program at once when another copy runs (false); otherwise seeds the random numbers
// from the seconds since midnight.
bool AppStartCheck();
// The program's folder with exactly one "/" at its end ("" asks for the running program's).
std::string GetAppPath(const std::string& Path);
// Writes the settings, restores the display mode and ends the program.
void AppEnd();

struct StartupHooks {
  // The very end once the settings are written: closes every window and leaves the process.
  // Tests replace it to watch the end instead.
  std::function<void()> EndProgram;
};
StartupHooks& Startup();
// Whether AppEnd ran (the real program has left by then).
bool AppEnded();
// Forgets the instance lock and the end mark; for tests.
void ResetStartup();
