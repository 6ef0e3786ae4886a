#pragma once

#include "builders/BuildOutcome.h"

#include <exception>

namespace mervasto {

// Runs one build and turns whatever it throws into a failed outcome whose detail says what
// went wrong, so that no exception ever leaves a builder.
template <typename Build> BuildOutcome guardedBuild(Build&& build) noexcept {
    try {
        return build();
    } catch (const std::exception& failure) {
        return {BuildResult::Failed, failure.what()};
    } catch (...) {
        return {BuildResult::Failed, "unknown failure"};
    }
}

} // namespace mervasto
