// Stands on a alone: an edge, no circle.
#pragma once
#include "a/one.h"
