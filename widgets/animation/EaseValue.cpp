#include "EaseValue.h"

#include <cmath>

namespace
{
    constexpr float pi = 3.14159265358979f;

    // Penner's bounce: four parabolas that touch 1 at 1/2.75, 2/2.75 and 2.5/2.75.
    float bounce (float x)
    {
        if (x < 0.36363637f)
            return 7.5625f * x * x;

        if (x < 0.72727275f)
        {
            const float v = x - 0.54545456f;
            return 7.5625f * v * v + 0.75f;
        }

        if ((double) x < 0.9090909090909091)
        {
            const float v = x - 0.8181818f;
            return 7.5625f * v * v + 0.9375f;
        }

        const float v = x - 0.95454544f;
        return 7.5625f * v * v + 0.984375f;
    }

    float powerOfTwo (float exponent)
    {
        return (float) std::pow (2.0, (double) exponent);
    }

    float elasticSine (float v, float d, float p)
    {
        return std::sin ((v * d - p / 4.0f) * (2.0f * pi) / p);
    }
}

float easeValue (int easingType, float t, float b, float c, float d)
{
    const float u = t / d;
    const float e = t / (d / 2.0f);

    switch (easingType)
    {
        case 0:  return b + c - c * std::cos (u * (pi / 2.0f));
        case 1:  return b + c * std::sin (u * (pi / 2.0f));
        case 2:  return b - c / 2.0f * (std::cos (pi * t / d) - 1.0f);

        case 3:  return b + c * u * u;
        case 4:  return b - c * u * (u - 2.0f);
        case 5:
            if (e < 1.0f)
                return b + c / 2.0f * e * e;
            return b - c / 2.0f * ((e - 1.0f) * (e - 3.0f) - 1.0f);

        case 6:  return b - c * (std::sqrt (1.0f - u * u) - 1.0f);
        case 7:  return b + c * std::sqrt (1.0f - (u - 1.0f) * (u - 1.0f));
        case 8:
            if (e < 1.0f)
                return b - c / 2.0f * (std::sqrt (1.0f - e * e) - 1.0f);
            return b + c / 2.0f * (std::sqrt (1.0f - (e - 2.0f) * (e - 2.0f)) + 1.0f);

        case 9:  return b + c * u * u * (2.70158f * u - 1.70158f);
        case 10:
        {
            const float v = u - 1.0f;
            return b + c * (v * v * (2.70158f * v + 1.70158f) + 1.0f);
        }
        case 11:
        {
            if (e < 1.0f)
                return b + c / 2.0f * e * e * (3.5949094f * e - 2.5949094f);
            const float f = e - 2.0f;
            return b + c / 2.0f * (f * f * (3.5949094f * f + 2.5949094f) + 2.0f);
        }

        case 12:
        {
            if (t == 0.0f) return b;
            if (u == 1.0f) return b + c;
            const float p = 0.3f * d, v = u - 1.0f;
            return b - c * powerOfTwo (10.0f * v) * elasticSine (v, d, p);
        }
        case 13:
        {
            if (t == 0.0f) return b;
            if (u == 1.0f) return b + c;
            const float p = 0.3f * d;
            return b + c + c * powerOfTwo (-10.0f * u) * elasticSine (u, d, p);
        }
        case 14:
        {
            if (t == 0.0f) return b;
            if (e == 2.0f) return b + c;
            const float p = 0.45f * d, v = e - 1.0f;
            if (e < 1.0f)
                return b - c / 2.0f * powerOfTwo (10.0f * v) * elasticSine (v, d, p);
            return b + c + c / 2.0f * powerOfTwo (-10.0f * v) * elasticSine (v, d, p);
        }

        case 15: return b + c - c * bounce ((d - t) / d);
        case 16: return b + c * bounce (u);
        case 17:
            if (t < d / 2.0f)
                return b + c / 2.0f - c / 2.0f * bounce ((d - 2.0f * t) / d);
            return b + c / 2.0f + c / 2.0f * bounce ((2.0f * t - d) / d);

        default: return 0.0f;
    }
}
