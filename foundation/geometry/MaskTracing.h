#pragma once

#include "SxBezierCurve.h"

#include <vector>

class SxImageAlphaByte;

/** Traces a mask into Bezier outlines with potrace (Selinger's polygon tracer).

    Pixels with low <= value <= high are inside; with low = -1 the test is value > 75.
    potrace runs with its default parameters except turdsize (the speckle size: areas
    up to it are dropped) and alphamax 1.0 (corner threshold). Every traced path becomes
    one open curve, in potrace's order, in mask pixel coordinates (row 0 at the top):
    a first node at the path's start point, then one node per curve segment (anchor at
    its end point c2, incoming handle c1; c0 becomes the previous node's outgoing handle)
    and two all-equal nodes per corner segment (c1, then c2).
    positivePath is set for an outer boundary, clear for a hole.

    Curves are appended to `curves`. When potrace cannot run, a line goes to the
    standard error stream and nothing is appended.
*/
void traceMaskToCurves (std::vector<SxBezierCurve>& curves, const SxImageAlphaByte& mask,
                        int speckleSize, int low, int high);
