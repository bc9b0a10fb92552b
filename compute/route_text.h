#pragma once
// Station text of the route's outputs (stake names, table columns). The
// K notation lives with the other station text in core/station_text.h so
// that the engine's own messages can write it too.

#include "core/numbers/station_text.h"
