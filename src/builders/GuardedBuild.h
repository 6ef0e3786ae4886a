#pragma once

#include "builders/BuildOutcome.h"
#include "data/DataError.h"

#include <exception>

namespace mervasto {

// Runs one build and turns whatever it throws into a failed (or, for an input that is not the
// file the build takes, refused) outcome whose detail says what went wrong, so that no
// exception ever leaves a builder.
template <typename Build> BuildOutcome guardedBuild(Build&& build) noexcept {
    try {
        return build();
    } catch (const DataError& failure) {
        const bool wrongInput = failure.kind() == DataError::Kind::WrongInput;
        return {wrongInput ? BuildResult::Refused : BuildResult::Failed, failure.what()};
    } catch (const std::exception& failure) {
        return {BuildResult::Failed, failure.what()};
    } catch (...) {
        return {BuildResult::Failed, "unknown failure"};
    }
}

} // namespace mervasto
