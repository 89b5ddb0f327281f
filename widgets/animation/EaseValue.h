#pragma once

/** The eased value at time t of a motion from begin to begin + change over duration.

    The 18 curves are Penner's easing equations, in single precision (the elastic curves'
    powers of two in double):

        0 sine in        3 quadratic in     6 circular in     9 back in     12 elastic in     15 bounce in
        1 sine out       4 quadratic out    7 circular out   10 back out    13 elastic out    16 bounce out
        2 sine in-out    5 quadratic in-out 8 circular in-out 11 back in-out 14 elastic in-out 17 bounce in-out

    The back curves overshoot the end (and the start, for "in") by about 10 %; the elastic
    curves return begin at t = 0 and begin + change at t = duration exactly. Any other type
    returns 0, whatever the arguments; callers that take a type from elsewhere check it with
    isEasingType first.

    Pure: no state, any thread.
*/
float easeValue (int easingType, float t, float begin, float change, float duration);

/** Whether easeValue knows the curve (0 to 17). */
constexpr bool isEasingType (int easingType) noexcept  { return easingType >= 0 && easingType <= 17; }
