// Gallery page "popover": popover lists open as their buttons open them. Left, the toolbar's
// Open menu with its two rows, the mouse over the first; right, the layer panel's add menu of
// five rows in a list of 150 pixels, so it scrolls, with one row disabled.

#include "GalleryIcons.h"
#include "GalleryKit.h"
#include "GalleryPage.h"
#include "GalleryPhoto.h"
#include "SxCallOutBox.h"
#include "SxImageButton.h"
#include "SxMainMenuButton.h"
#include "SxPopoverComboBox.h"

namespace
{
    using namespace GalleryKit;

    class PopoverPage : public SxComponent
    {
    public:
        PopoverPage() : SxComponent ("popoverPage")
        {
            // The size of the stand-in main window the call-outs are placed in.
            setSize (1024, 700);
            titleBar (*this, "Popover lists",
                      juce::String (juce::CharPointer_UTF8 ("two rows under a toolbar button  \xc2\xb7  five rows that scroll, "
                                                            "one disabled")));

            auto& openButton = buildToolbarScene();
            auto& addButton = buildLayerScene();

            openMenu = std::make_unique<SxPopoverComboBox> ("openProjectImageComboBox", 100, 150, true);
            openMenu->addItem ("Open Image");
            openMenu->addItem ("Open Project");
            openHere (*openMenu, openButton);
            openMenu->getRowButton (0)->setState (juce::Button::buttonOver);

            addMenu = std::make_unique<SxPopoverComboBox> ("addLayerButtonComboBox", 150, 150, false);
            for (auto* text : { "Stylized Watercolor", "Abstract Watercolor", "Source Image", "Duplicate Layer", "Merge Down" })
                addMenu->addItem (text);
            addMenu->setItemEnabled ("Source Image", false);
            openHere (*addMenu, addButton);
            addMenu->getRowButton (1)->setState (juce::Button::buttonOver);
        }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (53, 53, 53));
        }

    private:
        std::unique_ptr<SxPopoverComboBox> openMenu, addMenu;

        /** Opens the list as its button does and moves the call-out into this page: the
            gallery's stand-in main window is not on the page, and both lie at the origin, so
            the box keeps its place. */
        void openHere (SxPopoverComboBox& menu, juce::Component& button)
        {
            menu.showPopup (&button);

            if (auto* box = menu.getCallOut())
                addAndMakeVisible (box);
        }

        /** The top of the main window: the toolbar over the canvas; returns the Open button. */
        juce::Component& buildToolbarScene()
        {
            auto& scene = place (*this, new SxComponent ("toolbarScene"), at (6, 45, 500, 643));
            place (scene, new PhotoStandIn(), "0, 33, left + parent.width, top + parent.height - 33");
            auto& toolbar = place (scene, band (0x414141FFu), "0, 0, left + parent.width, top + 33");

            auto& open = place (toolbar, new SxMainMenuButton ("getPhotoButton", folderIcon(), "Open"), "16, 1, left + 50, top + 30");
            place (toolbar, new SxMainMenuButton ("savePhotoButton", saveIcon(), "Save"), "82, 1, left + 50, top + 30");
            open.setState (juce::Button::buttonDown);
            return open;
        }

        /** The layer panel beside the canvas; returns its add button. */
        juce::Component& buildLayerScene()
        {
            auto& scene = place (*this, new SxComponent ("layerScene"), at (512, 45, 506, 643));
            place (scene, new PhotoStandIn(), "0, 0, left + 250, top + parent.height");
            auto& panel = titledPanel (scene, "250, 0, left + 256, top + parent.height", "Layers");

            auto& bottom = place (panel, band (0x2A2A2AFFu), "0, parent.height - 36, left + parent.width, top + 36");
            auto& add = place (bottom, new SxMainMenuButton ("addLayerButton", plusIcon(), "Add Layer"), "6, 3, left + 50, top + 30");
            add.setState (juce::Button::buttonDown);
            return add;
        }
    };

    const GalleryPage::Registration page { { "popover", "Popover lists under their buttons: two rows, five that scroll",
                                             [] { return std::make_unique<PopoverPage>(); } } };
}
