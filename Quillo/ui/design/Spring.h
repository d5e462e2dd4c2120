#pragma once

// The motion of a spring animation: a damped harmonic oscillator of unit mass pulled towards its
// target, with angular frequency 2π ÷ response and the given damping ratio (1 is critically damped
// and never overshoots; below 1 it overshoots and swings back).
struct Spring {
    double response = 0.5; // seconds: the period of the undamped swing
    double damping = 1.0;

    struct State {
        double position;
        double velocity; // per second
    };

    // Where a spring released at `from` moving at `velocity` is, `t` seconds later, on its way to `target`.
    State at(double t, double from, double target, double velocity = 0) const;

    // Seconds until a spring released at rest one unit from its target comes to rest there: from
    // then on it stays within `tolerance` units of the target.
    double settlingTime(double tolerance = 0.001) const;

    // Whether a spring this close to its target, this slowly, may be stopped there unnoticed.
    static bool isAtRest(const State& state, double target, double tolerance);
};
