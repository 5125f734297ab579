// The one way this front end includes curses: as functions, without the macros that clash with
// C++ names (move, erase, clear, timeout).
#pragma once

#ifndef NCURSES_NOMACROS
#define NCURSES_NOMACROS
#endif
#include <curses.h>
