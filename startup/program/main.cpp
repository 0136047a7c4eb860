// The program: the main routine brings up the five windows, the splash screen
// (or Play at once when it is switched off) and the event loop.
#include "startup/program/HeroW.h"

int main(int argc, char** argv) { return hero::hero_main(argc, argv); }
