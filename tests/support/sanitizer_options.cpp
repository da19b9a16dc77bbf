// Sanitizer settings live in the programs, so that ctest, a debugger and a plain run all agree:
// a report ends the run at once. Linked into every test program and tool that plays the game.
extern "C" const char* __asan_default_options() { return "detect_leaks=1:abort_on_error=1"; }
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
// Caches that libraries keep until the process ends are not leaks of ours: fontconfig parses
// its configuration once and frees it only in FcFini.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
