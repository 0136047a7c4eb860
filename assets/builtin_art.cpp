#include "assets/builtin_art.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the resource's initialiser, which lives in the
// global namespace, so it must be used outside namespace hero.
static void init_hero_builtin_art_resource() { Q_INIT_RESOURCE(hero_builtin_art); }

namespace hero {

void init_builtin_art() {
  static const bool done = (init_hero_builtin_art_resource(), true);
  (void)done;
}

}  // namespace hero
