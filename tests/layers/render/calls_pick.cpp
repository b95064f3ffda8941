// The renderer calling into the edit layer: Pick(scene, x, y) needs this.
#include "edit/pick.h"
