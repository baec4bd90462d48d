// The precompiled headers of the test suites that drive widgets.
#pragma once

#include "tests.h"
#include "widgets.h"
