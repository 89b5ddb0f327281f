// Gallery page "chooser": the custom image chooser empty (placeholder) and with a loaded photo
// and its close button, in the effect panel's row layout and in the source-image wizard's
// layout, where the thumbnail fills the control.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "SxCustomImageComponent.h"
#include "SxImageButton.h"
#include "SxImageRgbaBytes.h"

namespace
{
    using namespace GalleryKit;

    /** Takes the picture, as the wizard does. */
    struct Keeper : public SxCustomImageComponentCallback {};

    /** A photograph: dusk sky, a lake, dark hills and a low sun, 1200 x 800. */
    juce::File writePhoto (const juce::File& folder)
    {
        juce::Image photo (juce::Image::RGB, 1200, 800, true);
        juce::Graphics g (photo);
        g.setGradientFill (juce::ColourGradient (juce::Colour (38, 66, 120), 0, 0, juce::Colour (236, 150, 92), 0, 470, false));
        g.fillAll();
        g.setColour (juce::Colour (255, 226, 160));
        g.fillEllipse (700.0f, 330.0f, 120.0f, 120.0f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (200, 120, 90), 0, 470, juce::Colour (30, 40, 70), 0, 800, false));
        g.fillRect (0, 470, 1200, 330);

        juce::Path hills;
        hills.startNewSubPath (0.0f, 500.0f);
        hills.cubicTo (200.0f, 330.0f, 380.0f, 380.0f, 560.0f, 470.0f);
        hills.cubicTo (760.0f, 420.0f, 980.0f, 300.0f, 1200.0f, 440.0f);
        hills.lineTo (1200.0f, 520.0f);
        hills.lineTo (0.0f, 520.0f);
        hills.closeSubPath();
        g.setColour (juce::Colour (32, 38, 52));
        g.fillPath (hills);

        const auto file = folder.getNonexistentChildFile ("dusk", ".jpg");
        juce::FileOutputStream out (file);
        out.setPosition (0);
        out.truncate();
        juce::JPEGImageFormat().writeImageToStream (photo, out);
        return file;
    }

    class ChooserPage : public SxComponent
    {
    public:
        ChooserPage() : SxComponent ("chooserPage")
        {
            setSize (720, 300);
            auto& bar = place (*this, band (0x414141FFu), "0, 0, left + parent.width, top + 33");
            addLabel (bar, "Custom image chooser", "16, 0, left + 300, top + 33", 14.0f, true);
            addLabel (bar, juce::String (juce::CharPointer_UTF8 ("empty and with a photo  \xc2\xb7  panel row and wizard layout")),
                      "parent.width - 516, 0, left + 500, top + 33", 13.0f, false, juce::Justification::centredRight, captionGrey);

            photo = writePhoto (folder);

            addLabel (*this, "IN A PANEL ROW", at (24, 52, 300, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& rows = place (*this, band (0x343434FFu), at (24, 74, 256, 200));
            place (rows, new SxCustomImageComponent ("emptyChooser", "Load Custom Image"), "0, 20, left + parent.width, top + 60");
            auto& loaded = place (rows, new SxCustomImageComponent ("photoChooser", "Load Custom Image"),
                                  "0, 110, left + parent.width, top + 60");
            load (loaded);

            addLabel (*this, "SOURCE-IMAGE WIZARD", at (320, 52, 300, 16), 11.0f, true, juce::Justification::centredLeft, captionGrey);
            auto& wizard = place (*this, band (0x343434FFu), at (320, 74, 376, 200));
            wizardRow (wizard, 20, false);
            wizardRow (wizard, 110, true);
        }

        ~ChooserPage() override
        {
            photo.deleteFile();
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory);
        juce::File photo;
        Keeper keeper;

        void load (SxCustomImageComponent& chooser)
        {
            chooser.listeners.push_back (&keeper);
            chooser.loadImageFile (photo, true);
        }

        /** A caption at the left and the chooser, its thumbnail filling it, at the right. */
        void wizardRow (juce::Component& panel, int y, bool withPhoto)
        {
            auto& row = place (panel, new SxComponent ("wizardRow"), "0, " + juce::String (y) + ", left + parent.width, top + 49");
            addLabel (row, withPhoto ? "Custom image: dusk.jpg" : "Load Custom Image", "12, 0, left + 260, top + 49", 12.0f, false,
                      juce::Justification::centredLeft, juce::Colour (250, 250, 250));
            auto& chooser = place (row, new SxCustomImageComponent ("wizardChooser", "Load Custom Image"),
                                   "parent.width - 60, 0, left + 50, top + 49");
            SxRelativeBounds::apply (chooser.getImageButton(), "0, 0, left + parent.width, top + parent.height");
            if (withPhoto)
                load (chooser);
        }
    };

    const GalleryPage::Registration page { { "chooser", "Custom image chooser: empty and with a photo",
                                             [] { return std::make_unique<ChooserPage>(); } } };
}
