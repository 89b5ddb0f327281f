#pragma once

#include "SelectMaskData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace undotest
{
    /** What a user paints and traces: 40 strokes of 300 points, 20 outlines of 150 nodes. */
    inline void paintMask (SelectMaskData& mask)
    {
        for (int s = 0; s < 40; ++s)
        {
            SxStroke stroke;
            for (int i = 0; i < 300; ++i)
                stroke.mLine.push_back ({ 100.0f + (float) s * 37.0f + 3.1f * (float) i, 200.0f + 80.0f * std::sin ((float) i * 0.05f + (float) s) });
            stroke.mDiameter = 12.0f + (float) s;
            stroke.mOpacity = s % 2 == 0 ? 1.0f : 0.5f;
            stroke.mColor = s % 2 == 0 ? 0xffffffffu : 0x000000ffu;
            mask.strokes.push_back (stroke);
        }
        for (int c = 0; c < 20; ++c)
        {
            SxBezierCurve outline;
            outline.closed = c % 4 != 0;
            outline.positivePath = c % 3 != 0;
            for (int i = 0; i < 150; ++i)
            {
                const float a = (float) i * 0.042f, r = 150.0f + (float) (c * 20);
                const SxPoint anchor { 800.0f + r * std::cos (a), 600.0f + r * std::sin (a) };
                outline.appendNode ({ anchor, { anchor.x - 2.5f, anchor.y - 1.25f }, { anchor.x + 2.5f, anchor.y + 1.25f } });
            }
            mask.curves.push_back (outline);
        }
    }

    /** Every stroke point and outline node of b equals a's, bit for bit. */
    inline void expectSameMask (const SelectMaskData& a, const SelectMaskData& b)
    {
        ASSERT_EQ (b.strokes.size(), a.strokes.size());
        for (size_t i = 0; i < a.strokes.size(); ++i)
        {
            EXPECT_EQ (b.strokes[i].mLine, a.strokes[i].mLine) << i;
            EXPECT_EQ (b.strokes[i].mColor, a.strokes[i].mColor) << i;
            EXPECT_EQ (b.strokes[i].mOpacity, a.strokes[i].mOpacity) << i;
            EXPECT_EQ (b.strokes[i].mDiameter, a.strokes[i].mDiameter) << i;
        }
        ASSERT_EQ (b.curves.size(), a.curves.size());
        for (size_t i = 0; i < a.curves.size(); ++i)
        {
            EXPECT_EQ (b.curves[i].closed, a.curves[i].closed) << i;
            EXPECT_EQ (b.curves[i].positivePath, a.curves[i].positivePath) << i;
            ASSERT_EQ (b.curves[i].nodes.size(), a.curves[i].nodes.size()) << i;
            for (size_t k = 0; k < a.curves[i].nodes.size(); ++k)
            {
                EXPECT_EQ (b.curves[i].nodes[k].mAnchor, a.curves[i].nodes[k].mAnchor);
                EXPECT_EQ (b.curves[i].nodes[k].mHandle1, a.curves[i].nodes[k].mHandle1);
                EXPECT_EQ (b.curves[i].nodes[k].mHandle2, a.curves[i].nodes[k].mHandle2);
            }
        }
    }
}
