// The precompiled headers of the test suites: GoogleTest and Qt Test on top of
// the core's.
#pragma once

#include "core.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
