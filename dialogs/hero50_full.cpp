// The whole program: start-up with the splash screen, the handheld, its menus
// and dialogs.
#include "startup/HeroW.h"

int main(int argc, char** argv) { return hero::hero_main(argc, argv); }
