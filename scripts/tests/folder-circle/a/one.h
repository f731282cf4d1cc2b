// Stands on b, which stands on a again: a circle.
#pragma once
#include "b/two.h"
