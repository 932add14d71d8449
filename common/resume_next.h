// Runs one step of a sequence whose steps do not depend on each other: a step
// that fails is skipped and the sequence goes on with the next one. Nothing is
// reported; the step's effect is simply missing.
#pragma once

template <typename Step>
void ResumeNext(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
        // The step's own failure, of whatever kind; the caller's next step
        // runs regardless.
    }
}
