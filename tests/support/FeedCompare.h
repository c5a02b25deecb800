#pragma once

// Member-by-member comparison of feed documents, for tests and the fuzzer.

#include "core/feed/clsRSS.h"

#include <QString>

namespace testsupport {

// Empty when both documents hold the same channels, images and items (keys
// included); otherwise a description of the first difference.
QString feedDifference(const clsRSS& a, const clsRSS& b);

} // namespace testsupport
