#include "SxWidgetArt.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
    struct Expected { const WidgetArt::Png& png; int width, height; };

    // Every picture the kit draws, at the pixel size its layouts assume.
    const Expected expected[] = {
        // Busy overlay: the card and the spinner's two pictures.
        { WidgetArt::activityCard, 472, 338 }, { WidgetArt::activitySpinner, 130, 130 }, { WidgetArt::activitySpinnerStill, 130, 130 },
        // Panel frame: three three-slice bars and the two inset pictures.
        { WidgetArt::panelTitleLeft, 52, 54 }, { WidgetArt::panelTitleMiddle, 118, 54 }, { WidgetArt::panelTitleRight, 52, 54 },
        { WidgetArt::panelBodyLeft, 52, 54 }, { WidgetArt::panelBodyMiddle, 118, 54 }, { WidgetArt::panelBodyRight, 52, 54 },
        { WidgetArt::panelBottomLeft, 52, 54 }, { WidgetArt::panelBottomMiddle, 118, 54 }, { WidgetArt::panelBottomRight, 52, 54 },
        { WidgetArt::panelTopInset, 446, 54 }, { WidgetArt::panelInsetArea, 446, 54 },
        // Alert button faces and the rebuild button.
        { WidgetArt::alertButtonPrimary, 194, 62 }, { WidgetArt::alertButtonSecondary, 194, 62 }, { WidgetArt::alertButtonPressed, 194, 62 },
        { WidgetArt::rebuildButton, 386, 62 }, { WidgetArt::rebuildButtonPressed, 386, 62 },
        // Segments, large and small.
        { WidgetArt::segmentLeftEnd, 12, 54 }, { WidgetArt::segmentLeftEndSelected, 12, 54 },
        { WidgetArt::segmentFill, 12, 54 }, { WidgetArt::segmentFillSelected, 12, 54 },
        { WidgetArt::segmentDividerFirst, 12, 54 }, { WidgetArt::segmentDividerMiddle, 12, 54 },
        { WidgetArt::segmentRightEnd, 12, 54 }, { WidgetArt::segmentRightEndSelected, 12, 54 },
        { WidgetArt::segmentSmallLeftEnd, 12, 44 }, { WidgetArt::segmentSmallLeftEndSelected, 12, 44 },
        { WidgetArt::segmentSmallFill, 12, 44 }, { WidgetArt::segmentSmallFillSelected, 12, 44 },
        { WidgetArt::segmentSmallDividerFirst, 12, 44 }, { WidgetArt::segmentSmallDividerMiddle, 12, 44 },
        { WidgetArt::segmentSmallRightEnd, 12, 44 }, { WidgetArt::segmentSmallRightEndSelected, 12, 44 },
        // The scrolling strip: background and arrows.
        { WidgetArt::segmentStripBackground, 216, 48 },
        { WidgetArt::stripArrowLeft, 60, 60 }, { WidgetArt::stripArrowLeftOver, 60, 60 }, { WidgetArt::stripArrowLeftPressed, 60, 60 },
        { WidgetArt::stripArrowRight, 60, 60 }, { WidgetArt::stripArrowRightOver, 60, 60 }, { WidgetArt::stripArrowRightPressed, 60, 60 },
        // Tab rows.
        { WidgetArt::pageTab, 48, 48 }, { WidgetArt::pageTabPressed, 48, 48 },
        { WidgetArt::watercolourTab, 48, 48 }, { WidgetArt::watercolourTabPressed, 48, 48 },
        { WidgetArt::tabMessageBackground, 190, 104 }, { WidgetArt::toolSeparator, 4, 46 },
        // Buttons.
        { WidgetArt::menuButtonHover, 102, 60 }, { WidgetArt::menuButtonPressed, 102, 60 },
        { WidgetArt::checkboxUnticked, 32, 32 }, { WidgetArt::checkboxTicked, 32, 32 },
        { WidgetArt::threeSliceLeft, 12, 54 }, { WidgetArt::threeSliceMiddle, 12, 54 }, { WidgetArt::threeSliceRight, 12, 54 },
        { WidgetArt::threeSlicePressedLeft, 12, 54 }, { WidgetArt::threeSlicePressedMiddle, 12, 54 },
        { WidgetArt::threeSlicePressedRight, 12, 54 },
        // Slider, popover, custom image chooser.
        { WidgetArt::sliderThumb, 38, 38 },
        { WidgetArt::popoverHighlight, 516, 72 }, { WidgetArt::popoverSeparator, 294, 2 },
        { WidgetArt::customImagePlaceholder, 116, 116 }, { WidgetArt::closeButton, 46, 46 },
        // Document canvas: the drop invitation and the eight shadow pieces.
        { WidgetArt::canvasPlaceholder, 544, 544 },
        { WidgetArt::canvasShadowTopLeft, 44, 44 }, { WidgetArt::canvasShadowTopRight, 44, 44 },
        { WidgetArt::canvasShadowBottomLeft, 44, 44 }, { WidgetArt::canvasShadowBottomRight, 44, 44 },
        { WidgetArt::canvasShadowTop, 44, 44 }, { WidgetArt::canvasShadowBottom, 44, 44 },
        { WidgetArt::canvasShadowLeft, 44, 44 }, { WidgetArt::canvasShadowRight, 44, 44 },
        // The pan tool's button.
        { WidgetArt::panToolNormal, 102, 60 }, { WidgetArt::panToolOver, 102, 60 }, { WidgetArt::panToolPressed, 102, 60 },
        // The main window's toolbar icons, the top bar's shadow strip and the effect panel's tabs.
        { WidgetArt::toolbarOpen, 62, 52 }, { WidgetArt::toolbarSave, 64, 52 }, { WidgetArt::toolbarCrop, 56, 52 },
        { WidgetArt::toolbarUndo, 62, 52 }, { WidgetArt::toolbarZoomIn, 52, 52 }, { WidgetArt::toolbarZoomOut, 52, 52 },
        { WidgetArt::toolbarRedo, 62, 52 }, { WidgetArt::toolbarCompare, 62, 52 }, { WidgetArt::toolbarInfo, 88, 68 },
        { WidgetArt::toolbarProducts, 88, 68 }, { WidgetArt::toolbarRandomize, 74, 52 }, { WidgetArt::toolbarShadow, 82, 16 },
        { WidgetArt::effectPanelHideArrow, 82, 60 }, { WidgetArt::effectPanelShowArrow, 82, 60 },
        // The thumbnail picker: opener placeholder and frame, item background, badge, selection frame.
        { WidgetArt::imageListPlaceholder, 100, 100 }, { WidgetArt::imageListOpenerFrame, 110, 110 },
        { WidgetArt::imageListItemBackground, 220, 220 }, { WidgetArt::imageListBadge, 60, 59 },
        { WidgetArt::imageListSelectionFrame, 108, 108 },
    };
}

TEST (WidgetArtTest, EveryPictureDecodesAtItsSizeWithAlpha)
{
    std::map<juce::String, const WidgetArt::Png*> embedded;
    for (int i = 0; i < WidgetArt::count; ++i)
        embedded[WidgetArt::all[i]->name] = WidgetArt::all[i];

    for (const auto& e : expected)
    {
        SCOPED_TRACE (e.png.name);
        EXPECT_EQ (embedded.count (e.png.name), 1u);
        EXPECT_EQ (e.png.width, e.width);
        EXPECT_EQ (e.png.height, e.height);

        const auto image = SxWidgetArt::get (e.png);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), e.width);
        EXPECT_EQ (image.getHeight(), e.height);
        EXPECT_TRUE (image.hasAlphaChannel());
    }

    EXPECT_EQ (WidgetArt::count, (int) std::size (expected)) << "a picture without a user, or a user without a test";
}

TEST (WidgetArtTest, APictureIsDecodedOnceAndShared)
{
    // The checkbox tells its state by the identity of its tick picture.
    EXPECT_TRUE (SxWidgetArt::get (WidgetArt::checkboxTicked) == SxWidgetArt::get (WidgetArt::checkboxTicked));
    EXPECT_FALSE (SxWidgetArt::get (WidgetArt::checkboxTicked) == SxWidgetArt::get (WidgetArt::checkboxUnticked));
}
