#include "ui/design/Spring.h"

#include <cmath>
#include <numbers>

Spring::State Spring::at(double t, double from, double target, double velocity) const
{
    const double omega = 2 * std::numbers::pi / response;
    const double zeta = damping;
    const double u0 = from - target;
    double u = 0;
    double v = 0;
    if (std::abs(zeta - 1) < 1e-9) {
        const double b = velocity + omega * u0;
        const double decay = std::exp(-omega * t);
        u = (u0 + b * t) * decay;
        v = (b - omega * (u0 + b * t)) * decay;
    } else if (zeta < 1) {
        const double omegaD = omega * std::sqrt(1 - zeta * zeta);
        const double a = u0;
        const double b = (velocity + zeta * omega * u0) / omegaD;
        const double decay = std::exp(-zeta * omega * t);
        const double c = std::cos(omegaD * t);
        const double s = std::sin(omegaD * t);
        u = decay * (a * c + b * s);
        v = decay * ((b * omegaD - zeta * omega * a) * c - (a * omegaD + zeta * omega * b) * s);
    } else {
        const double root = omega * std::sqrt(zeta * zeta - 1);
        const double r1 = -zeta * omega + root;
        const double r2 = -zeta * omega - root;
        const double c2 = (velocity - r1 * u0) / (r2 - r1);
        const double c1 = u0 - c2;
        u = c1 * std::exp(r1 * t) + c2 * std::exp(r2 * t);
        v = c1 * r1 * std::exp(r1 * t) + c2 * r2 * std::exp(r2 * t);
    }
    return {target + u, v};
}

bool Spring::isAtRest(const State& state, double target, double tolerance)
{
    // A velocity that would cover the tolerance within a 60 Hz frame still shows.
    return std::abs(state.position - target) < tolerance && std::abs(state.velocity) < tolerance * 60;
}

double Spring::settlingTime(double tolerance) const
{
    constexpr double step = 1.0 / 240;
    constexpr double limit = 60;
    double restingSince = -1;
    for (double t = 0; t < limit; t += step) {
        if (isAtRest(at(t, 1, 0), 0, tolerance)) {
            if (restingSince < 0)
                restingSince = t;
        } else {
            restingSince = -1;
        }
        // A swing that has stayed inside for a whole undamped period will not leave again.
        if (restingSince >= 0 && t - restingSince >= response)
            return restingSince;
    }
    return limit;
}
