// The program as a whole: every subsystem assembled in start-up order.
#pragma once

// The program's entry: one copy only, folders, tables, media, the main window on its title
// screen, the settings and the opening music. The program then lives in the window's handlers.
void Main();

// Puts every owner of the program's state back as before Main(): the main window, the menus,
// the message window, the game data and its hooks, the picture store, media, input and the
// start-up's lock. Tests call it between programs.
void ResetProgramState();
