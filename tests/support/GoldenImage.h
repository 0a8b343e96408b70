#pragma once
// Reference pictures kept in tests/golden/: a test compares what it captured with the reference of
// the same name. On a difference the actual picture and a diff picture go into a golden\ folder
// beside the test program and the failure names both. With TRELVIX_GOLDEN_UPDATE=1 in the
// environment (./test golden --update) the captured picture becomes the reference instead, unless
// it already matches it. Including programs link trelvix_golden.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/GoldenCompare.h"
#include "tests/support/PixelTest.h"

namespace trelvix::testing {

::testing::AssertionResult MatchesGolden(const Capture& picture, const std::string& name,
                                         const GoldenTolerance& tolerance = {});

// Whether this run writes references.
bool UpdatingGoldens();

}  // namespace trelvix::testing
