#include "SxRelativeBounds.h"

#include <gtest/gtest.h>

namespace
{
    struct Family
    {
        Family()
        {
            parent.setSize (400, 300);
            parent.addAndMakeVisible (sibling);
            parent.addAndMakeVisible (child);
            sibling.setComponentID ("effectControlComponent");
        }

        juce::Component parent, sibling, child;
    };
}

TEST (SxRelativeBoundsTest, PlacesByTheExpressionAndFollowsTheParent)
{
    Family f;
    ASSERT_TRUE (SxRelativeBounds::apply (f.child, "(parent.width / 2) - (width / 2), 3, left + 190, top + 23"));
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (105, 3, 190, 23));
    EXPECT_TRUE (SxRelativeBounds::isFollowing (f.child));

    f.parent.setSize (600, 300);
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (205, 3, 190, 23));
}

TEST (SxRelativeBoundsTest, FollowsANamedSibling)
{
    Family f;
    f.sibling.setBounds (300, 0, 100, 300);
    ASSERT_TRUE (SxRelativeBounds::apply (f.child, "0, 30, effectControlComponent.left, parent.height"));
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (0, 30, 300, 270));

    f.sibling.setTopLeftPosition (250, 0);
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (0, 30, 250, 270));
}

TEST (SxRelativeBoundsTest, KeepsTheTextAfterDetachingAndStopsFollowing)
{
    Family f;
    EXPECT_EQ (SxRelativeBounds::getExpression (f.child), juce::String());

    const juce::String fill ("0, 0, left + parent.width, top + parent.height");
    ASSERT_TRUE (SxRelativeBounds::apply (f.child, fill));
    SxRelativeBounds::detach (f.child);

    EXPECT_FALSE (SxRelativeBounds::isFollowing (f.child));
    EXPECT_EQ (SxRelativeBounds::getExpression (f.child), fill);
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (0, 0, 400, 300));

    f.parent.setSize (500, 350);
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (0, 0, 400, 300));

    // A new expression takes over again.
    ASSERT_TRUE (SxRelativeBounds::apply (f.child, fill));
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (0, 0, 500, 350));
}

TEST (SxRelativeBoundsTest, AnExpressionNamingNothingOutsideSetsPlainBounds)
{
    Family f;
    ASSERT_TRUE (SxRelativeBounds::apply (f.child, "16, 1, left + 50, top + 30"));
    EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (16, 1, 50, 30));
    EXPECT_EQ (SxRelativeBounds::getExpression (f.child), "16, 1, left + 50, top + 30");
}

TEST (SxRelativeBoundsTest, RefusesMalformedExpressionsAndChangesNothing)
{
    const char* malformed[] = {
        "", "   ", "1, 2, 3", "1, 2, 3,", "1, 2, 3, 4, 5", "1, 2, 3, (4", "1 2, 3, 4, 5",
        "1,, 2, 3", "parent.width +, 0, 10, 10", "0, 0, left + , 10",
    };

    Family f;
    const juce::String good ("0, 0, left + parent.width, top + 40");
    ASSERT_TRUE (SxRelativeBounds::apply (f.child, good));

    for (auto* text : malformed)
    {
        EXPECT_FALSE (SxRelativeBounds::apply (f.child, text)) << '"' << text << '"';
        EXPECT_EQ (SxRelativeBounds::getExpression (f.child), good) << '"' << text << '"';
        EXPECT_EQ (f.child.getBounds(), juce::Rectangle<int> (0, 0, 400, 40)) << '"' << text << '"';
    }

    // Still following the good one.
    f.parent.setSize (420, 300);
    EXPECT_EQ (f.child.getWidth(), 420);
}
