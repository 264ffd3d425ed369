#pragma once
// The time between marks on one thread: each mark closes a step that began
// at the mark before it.
#include <string>
#include <vector>

#include "Clock.h"

struct Step {
    std::string name;
    double ms;
};

class StepClock {
public:
    StepClock() : m_last(NowMs()) {}
    // Ends the step `name` now; the next one begins.
    void Mark(const std::string& name) {
        const double now = NowMs();
        m_steps.push_back({name, now - m_last});
        m_last = now;
    }
    // A step timed elsewhere, in the order of the marks.
    void Add(const std::string& name, double ms) { m_steps.push_back({name, ms}); }
    // Starts the next step now, leaving the time since the last mark out.
    void Restart() { m_last = NowMs(); }
    const std::vector<Step>& Steps() const { return m_steps; }
    double Total() const {
        double total = 0;
        for (const Step& s : m_steps)
            total += s.ms;
        return total;
    }

private:
    double m_last;
    std::vector<Step> m_steps;
};
