// Gallery page "slide-in": the wizards' panel pinned over the effect panel, with the
// wizard's controls in its content area and "Apply" at the bottom.

#include "GalleryPage.h"
#include "ModalScene.h"
#include "SxCheckbox.h"
#include "SxSlideInComponentDocumentActive.h"

namespace
{
    class WizardControls : public SxComponent
    {
    public:
        WizardControls() : SxComponent ("maskWizard")
        {
            GalleryKit::addLabel (*this, "Paint over what the effect should keep, then let the mask follow the edges.",
                                  "16, 8, parent.width - 16, top + 48", 12.0f, false, juce::Justification::topLeft,
                                  juce::Colour (250, 250, 250));
            const char* options[] = { "Show Mask Overlay", "Refine Edges", "Invert Mask" };
            for (int i = 0; i < 3; ++i)
            {
                auto* box = new SxCheckbox ("maskOption" + juce::String (i), options[i], nullptr);
                box->setChecked (i != 2);
                GalleryKit::place (*this, box, GalleryKit::at (16, 64 + i * 30, 200, 24));
            }
        }
    };

    class SlideInPage : public ModalScene::Page
    {
    public:
        SlideInPage()
            : Page ("slideInPage", "Slide-in panels", "pinned over the effect panel, the canvas still usable", 760)
        {
            auto& scene = addScene ("SxSlideInComponentDocumentActive \"Selective Mask\" over the effect panel", 420);
            auto* panel = new SxSlideInComponentDocumentActive ("maskSlideinComponent", nullptr);
            panel->open ("Selective Mask", &wizard, "Apply", false);
            wizard.setBounds (panel->getContent()->getLocalBounds());
            panel->timerCallback (SxSlideInComponent::slideInTimer);
            panel->timerCallback (SxSlideInComponent::pinTimer);
            panel->stopTimer (SxSlideInComponent::pinTimer);
            juce::ignoreUnused (scene);
        }

        ~SlideInPage() override
        {
            // The wizard is shown in the panel, not owned by it.
            if (auto* parent = wizard.getParentComponent())
                parent->removeChildComponent (&wizard);
        }

    private:
        WizardControls wizard;
    };

    const GalleryPage::Registration page { { "slide-in", "Slide-in panels: the wizard panel over the effect panel",
                                             [] { return std::make_unique<SlideInPage>(); } } };
}
