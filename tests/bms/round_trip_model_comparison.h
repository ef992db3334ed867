#pragma once

// Compares two chart documents by what they hold: headers, definitions, measure
// lengths and the objects of every channel and lane. A line or a trailing lane without
// any object counts as absent, since the layout writes nothing for it.

#include <gtest/gtest.h>

#include "model/bms_bms.h"

::testing::AssertionResult sameDocument(const BmsBms& expected, const BmsBms& actual);
