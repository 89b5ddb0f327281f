// Gallery page "chooser": the custom image chooser empty (placeholder) and with a loaded photo
// and its close button, in the effect panel's row layout and in the source-image wizard's
// layout, where the thumbnail fills the control.

#include "GalleryKit.h"
#include "GalleryPage.h"
#include "GalleryPhoto.h"
#include "SxCustomImageComponent.h"
#include "SxImageButton.h"
#include "SxImageRgbaBytes.h"

namespace
{
    using namespace GalleryKit;

    /** Takes the picture, as the wizard does. */
    struct Keeper : public SxCustomImageComponentCallback {};

    /** The gallery's photograph, 1200 x 800, as a JPEG file in folder. */
    juce::File writePhoto (const juce::File& folder)
    {
        PhotoStandIn standIn;
        standIn.setSize (1200, 800);
        const auto photo = standIn.createComponentSnapshot (standIn.getLocalBounds());

        const auto file = folder.getNonexistentChildFile ("lake", ".jpg");
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
            titleBar (*this, "Custom image chooser",
                      juce::String (juce::CharPointer_UTF8 ("empty and with a photo  \xc2\xb7  panel row and wizard layout")));

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
            addLabel (row, withPhoto ? "Custom image: lake.jpg" : "Load Custom Image", "12, 0, left + 260, top + 49", 12.0f, false,
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
