#include "MaskTracing.h"

#include "SxImageAlphaByte.h"

#include <potracelib.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace
{
    struct ParamFree { void operator() (potrace_param_t* p) const noexcept { potrace_param_free (p); } };
    struct StateFree { void operator() (potrace_state_t* s) const noexcept { potrace_state_free (s); } };

    constexpr int wordBits = (int) sizeof (potrace_word) * CHAR_BIT;

    SxPoint toPoint (const potrace_dpoint_t& p)
    {
        return SxPoint { (float) p.x, (float) p.y };
    }

    BezierNode pointNode (const SxPoint& p)
    {
        return BezierNode { p, p, p };
    }
}

void traceMaskToCurves (std::vector<SxBezierCurve>& curves, const SxImageAlphaByte& mask,
                        int speckleSize, int low, int high)
{
    const int width = mask.width, height = mask.height;
    if (width <= 0 || height <= 0 || mask.pixels == nullptr)
        return;

    const int wordsPerRow = (width + wordBits - 1) / wordBits;
    std::vector<potrace_word> words;
    try
    {
        words.assign ((size_t) wordsPerRow * (size_t) height, 0);
    }
    catch (const std::bad_alloc&)
    {
        return;
    }

    for (int y = 0; y < height; ++y)
    {
        const uint8_t* row = mask.getRowPointer (y);
        potrace_word* out = words.data() + (size_t) y * (size_t) wordsPerRow;
        for (int x = 0; x < width; ++x)
        {
            const int v = row[x];
            const bool inside = low == -1 ? v > 75 : (low <= v && v <= high);
            if (inside)
                out[x / wordBits] |= (potrace_word) 1 << (wordBits - 1 - x % wordBits);
        }
    }

    const potrace_bitmap_t bitmap { width, height, wordsPerRow, words.data() };

    std::unique_ptr<potrace_param_t, ParamFree> params (potrace_param_default());
    if (params == nullptr)
    {
        std::fprintf (stderr, "Error allocating parameters: %s\n", std::strerror (errno));
        return;
    }
    params->turdsize = speckleSize;
    params->alphamax = 1.0;

    std::unique_ptr<potrace_state_t, StateFree> state (potrace_trace (params.get(), &bitmap));
    if (state == nullptr || state->status != POTRACE_STATUS_OK)
    {
        std::fprintf (stderr, "Error tracing bitmap: %s\n", std::strerror (errno));
        return;
    }
    words = {};

    for (const potrace_path_t* path = state->plist; path != nullptr; path = path->next)
    {
        const potrace_curve_t& curve = path->curve;
        SxBezierCurve out;
        out.closed = false;
        out.positivePath = path->sign == '+';
        if (curve.n > 0)
        {
            out.nodes.reserve ((size_t) curve.n * 2 + 1);
            out.appendNode (pointNode (toPoint (curve.c[curve.n - 1][2])));
            for (int i = 0; i < curve.n; ++i)
            {
                const auto c0 = toPoint (curve.c[i][0]), c1 = toPoint (curve.c[i][1]), c2 = toPoint (curve.c[i][2]);
                if (curve.tag[i] == POTRACE_CORNER)
                {
                    out.appendNode (pointNode (c1));
                    out.appendNode (pointNode (c2));
                }
                else
                {
                    // c2 is the segment's end point on the outline; c0 and c1 are its handles.
                    out.nodes.back().mHandle2 = c0;
                    out.appendNode (BezierNode { c2, c1, c2 });
                }
            }
        }
        curves.push_back (std::move (out));
    }
}
