#include "HostedTest.h"
#include "SxColorComponent.h"
#include "SxColorPicker.h"
#include "SxLabelColorPicker.h"
#include "SxRelativeBounds.h"

namespace
{
    // Colour words: blue << 24 | green << 16 | red << 8 | alpha.
    constexpr juce::uint32 opaqueRed = 0x0000FFFFu, halfGreen = 0x00FF0080u, clearBlue = 0xFF000000u;

    struct ColourLog : public SxColorPickerCallback
    {
        void colourChanged (juce::Component* picker, juce::uint32 word) override
        {
            words.add ((int) word);
            boundWhenTold = bound != nullptr ? *bound : 0;
            source = picker;
        }

        juce::Array<int> words;
        const juce::uint32* bound = nullptr;
        juce::uint32 boundWhenTold = 0;
        juce::Component* source = nullptr;
    };

    struct ChangeLog : public SxControlChangedCallback
    {
        void controlChanged (juce::Component* c) override  { controls.add (c); }
        juce::Array<juce::Component*> controls;
    };

    /** Counts the pixels of image (inside inset) by class. */
    struct PixelCount
    {
        PixelCount (const juce::Image& image, int inset)
        {
            for (int y = inset; y < image.getHeight() - inset; ++y)
                for (int x = inset; x < image.getWidth() - inset; ++x)
                {
                    const auto c = image.getPixelAt (x, y);
                    white += c == juce::Colours::white;
                    black += c == juce::Colours::black;
                    red += c == juce::Colour (255, 0, 0);
                    ++all;
                }
        }

        int white = 0, black = 0, red = 0, all = 0;
    };

    class ColorPickerTest : public sxgui::HostedTest
    {
    protected:
        void SetUp() override
        {
            HostedTest::SetUp();
            picker = &add (new SxColorPicker ("inkColorColor", juce::Colours::white, juce::Colours::white), { 900, 100, 23, 23 });
            picker->boundColour = &bound;
            picker->callback = &log;
            log.bound = &bound;
            safePicker = picker;
        }

        void TearDown() override
        {
            delete safePicker.getComponent();
            HostedTest::TearDown();
        }

        void open()
        {
            input.click (*picker);
            ASSERT_TRUE (picker->isOpen());
        }

        /** A click on the canvas at an image pixel (the canvas shows it unzoomed at 0, 0). */
        void clickImage (int x, int y)
        {
            input.click (host.getCanvas(), { x, y });
            sxgui::drainMessages();
        }

        SxDocumentCanvasServices& canvas()  { return *host.getDocumentCanvas(); }

        juce::uint32 bound = 0xFFFFFFFFu;
        ColourLog log;
        SxColorPicker* picker = nullptr;
        juce::Component::SafePointer<juce::Component> safePicker;
    };
}

//==============================================================================
TEST_F (ColorPickerTest, AClickOpensTheSelectorInACallOutOverTheWindowAndTakesTheCanvas)
{
    ASSERT_TRUE (host.isToolbarEnabled());
    open();

    auto* box = picker->getCallOut();
    EXPECT_EQ (box->getParentComponent(), &host);
    EXPECT_EQ (&picker->getSelector(), box->getChildComponent (0));
    EXPECT_EQ (picker->getSelector().getBounds(), juce::Rectangle<int> (20, 20, 300, 300));
    EXPECT_EQ (box->getTargetArea(), juce::Rectangle<int> (900, 100, 23, 23));
    EXPECT_TRUE (box->passesCanvasEvents);
    EXPECT_TRUE (box->isCurrentlyModal (false));
    EXPECT_FALSE (host.isToolbarEnabled());
    EXPECT_EQ (canvas().mouseInterceptor, picker);
    EXPECT_EQ (host.alertOnBlockedInput(), false);
}

TEST_F (ColorPickerTest, TheEyedropperPicksOpaquePixelsAndStaysOpen)
{
    host.getCanvas().setPixel (10, 10, opaqueRed);
    host.getCanvas().setPixel (30, 10, clearBlue);
    open();

    clickImage (10, 10);
    EXPECT_EQ (picker->getSelector().getCurrentColour(), juce::Colour (255, 0, 0));
    EXPECT_EQ (bound, opaqueRed);
    EXPECT_EQ (log.words, juce::Array<int> ({ (int) opaqueRed }));
    EXPECT_EQ (log.boundWhenTold, opaqueRed);                // written before the callback
    EXPECT_EQ (picker->getCurrentColour(), juce::Colour (255, 0, 0));
    EXPECT_TRUE (picker->isOpen());
    EXPECT_TRUE (host.getCanvas().mouseEvents.isEmpty());    // the tool got nothing

    // A transparent pixel changes nothing.
    clickImage (30, 10);
    EXPECT_EQ (bound, opaqueRed);
    EXPECT_EQ (log.words.size(), 1);
    EXPECT_TRUE (picker->isOpen());
}

TEST_F (ColorPickerTest, AHalfTransparentPixelKeepsItsAlphaOnlyWhenAlphaIsShown)
{
    host.getCanvas().setPixel (20, 10, halfGreen);

    for (const bool showsAlpha : { false, true })
    {
        picker->setShowsAlpha (showsAlpha);
        picker->setColour (0xFFFFFFFFu);
        log.words.clear();
        open();

        clickImage (20, 10);
        const auto expected = showsAlpha ? halfGreen : (halfGreen | 0xFFu);
        EXPECT_EQ (bound, expected) << showsAlpha;
        EXPECT_EQ (log.words, juce::Array<int> ({ (int) expected })) << showsAlpha;

        input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey));
    }
}

TEST_F (ColorPickerTest, AClickBesideTheImageClosesItReportsOnceMoreAndGivesTheCanvasBack)
{
    host.getCanvas().setPixel (10, 10, opaqueRed);
    open();
    clickImage (10, 10);
    juce::WeakReference<juce::Component> box (picker->getCallOut());

    clickImage (600, 400);                                   // the image is 400 x 300

    EXPECT_FALSE (picker->isOpen());
    EXPECT_EQ (box.get(), nullptr);
    EXPECT_EQ (log.words, juce::Array<int> ({ (int) opaqueRed, (int) opaqueRed }));
    EXPECT_EQ (canvas().mouseInterceptor, nullptr);
    EXPECT_TRUE (host.isToolbarEnabled());
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);

    clickImage (10, 10);
    EXPECT_TRUE (host.getCanvas().mouseEvents.contains ("up"));
    EXPECT_EQ (log.words.size(), 2);
}

TEST_F (ColorPickerTest, ReturnOnTheFocusedSwatchOpensItAndEscapeGivesTheFocusBack)
{
    picker->grabKeyboardFocus();
    ASSERT_TRUE (picker->hasKeyboardFocus (false));

    input.pressKey (juce::KeyPress (juce::KeyPress::returnKey));
    sxgui::drainMessages();
    ASSERT_TRUE (picker->isOpen());

    EXPECT_TRUE (input.pressKey (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_FALSE (picker->isOpen());
    EXPECT_TRUE (picker->hasKeyboardFocus (false));
    EXPECT_EQ (log.words, juce::Array<int> ({ (int) 0xFFFFFFFFu }));
    EXPECT_EQ (canvas().mouseInterceptor, nullptr);
}

TEST_F (ColorPickerTest, APickerDestroyedWhileOpenClosesItsCallOutAndFreesTheCanvas)
{
    open();
    juce::WeakReference<juce::Component> box (picker->getCallOut());

    delete picker;

    EXPECT_EQ (box.get(), nullptr);
    EXPECT_EQ (canvas().mouseInterceptor, nullptr);
    EXPECT_EQ (juce::Component::getNumCurrentlyModalComponents(), 0);
    EXPECT_TRUE (host.isToolbarEnabled());
    EXPECT_TRUE (log.words.isEmpty());

    clickImage (10, 10);
    EXPECT_TRUE (host.getCanvas().mouseEvents.contains ("down"));
}

TEST_F (ColorPickerTest, ShowingAlphaClosesTheCallOutAndKeepsTheColour)
{
    picker->setColour (halfGreen);
    open();

    picker->setShowsAlpha (true);

    EXPECT_FALSE (picker->isOpen());
    EXPECT_EQ (canvas().mouseInterceptor, nullptr);
    auto& selector = picker->getSelector();
    EXPECT_TRUE (selector.showsAlpha());
    EXPECT_EQ (selector.getCurrentColour(), SxColorComponent::colourFromWord (halfGreen));
    EXPECT_TRUE (selector.getComponentSliders()[3]->isVisible());

    open();
    EXPECT_EQ (&selector, picker->getCallOut()->getChildComponent (0));
}

TEST_F (ColorPickerTest, TheSwatchShowsATransparentColourOverACheckerboardOnlyWithAlpha)
{
    picker->setColour (0x0000FF00u);                         // red, alpha 0

    const auto opaque = PixelCount (picker->createComponentSnapshot (picker->getLocalBounds()), 2);
    EXPECT_EQ (opaque.red, opaque.all);

    picker->setShowsAlpha (true);
    const auto checked = PixelCount (picker->createComponentSnapshot (picker->getLocalBounds()), 2);
    EXPECT_EQ (checked.white + checked.black, checked.all);
    EXPECT_GT (checked.white, checked.all / 3);
    EXPECT_GT (checked.black, checked.all / 3);
}

TEST_F (ColorPickerTest, UpdateShowsTheBoundWordWithoutTellingAnybody)
{
    struct Case { juce::uint32 word; juce::Colour colour; };
    const Case cases[] = {
        { 0xFF0000FFu, juce::Colour (0, 0, 255) },           // bytes 255, 0, 0, 255: blue
        { 0xFACE87FFu, juce::Colour (135, 206, 250) },
        { 0x343434FFu, juce::Colour (52, 52, 52) },
    };

    for (const auto& c : cases)
    {
        bound = c.word;
        picker->update();
        EXPECT_EQ (picker->getCurrentColour(), c.colour);
        EXPECT_EQ (picker->getSelector().getCurrentColour(), c.colour);
        EXPECT_EQ (picker->createComponentSnapshot (picker->getLocalBounds()).getPixelAt (11, 11), c.colour);
    }

    sxgui::drainMessages();
    EXPECT_TRUE (log.words.isEmpty());
}

TEST_F (ColorPickerTest, TheSelectorNamesItsSlidersAndGivesThemValueBoxes)
{
    const char* names[] = { "Red", "Green", "Blue", "Alpha" };

    for (const bool showsAlpha : { false, true })
    {
        SxColorSelector selector (showsAlpha);
        const auto sliders = selector.getComponentSliders();
        ASSERT_EQ (sliders.size(), 4);

        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ (sliders[i]->getName(), names[i]);
            EXPECT_EQ (sliders[i]->getTextBoxPosition(), juce::Slider::TextBoxLeft);
            EXPECT_EQ (sliders[i]->getTextBoxWidth(), 40);
            EXPECT_TRUE (sliders[i]->isTextBoxEditable());
        }

        EXPECT_EQ (sliders[3]->isVisible(), showsAlpha);
        selector.setCurrentColour (juce::Colour (0x80102030), juce::dontSendNotification);
        EXPECT_EQ (selector.getCurrentColour().getAlpha(), showsAlpha ? 0x80 : 0xFF);
    }
}

//==============================================================================
TEST_F (ColorPickerTest, TheLabelPickerWritesANewColourThenTellsAndIgnoresItsOwn)
{
    juce::uint32 background = 0x343434FFu;
    ChangeLog changes;
    auto* row0 = new SxLabelColorPicker ("backgroundColor", "Background Color", &background);
    host.getEffectPanel().addAndMakeVisible (row0);
    SxRelativeBounds::apply (*row0, "20, 200, left + 220, top + 35");
    auto& row = *row0;
    row.listener = &changes;

    EXPECT_EQ (row.getPicker().getName(), "backgroundColorColor");
    EXPECT_EQ (row.getPicker().getBounds(), juce::Rectangle<int> (220 - 24, 0, 23, 23));
    EXPECT_EQ (row.getLabel().getRight(), 220 - 22 - 5);
    EXPECT_EQ (row.getPicker().getCurrentColour(), juce::Colour (52, 52, 52));

    row.colourChanged (&row.getPicker(), 0x343434FFu);
    EXPECT_TRUE (changes.controls.isEmpty());

    row.colourChanged (&row.getPicker(), opaqueRed);
    EXPECT_EQ (background, opaqueRed);
    EXPECT_EQ (changes.controls, juce::Array<juce::Component*> ({ &row }));
    EXPECT_EQ (row.getPicker().getCurrentColour(), juce::Colour (255, 0, 0));
}
