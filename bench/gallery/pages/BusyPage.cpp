// Gallery page "busy": the busy card on the canvas while a worker runs ("Saving Project..."),
// the main component's own "Rendering..." card, and the frozen spinner.

#include "GalleryPage.h"
#include "ModalScene.h"
#include "ThreadedActivityWindow.h"

namespace
{
    /** A window whose work is never started: the page shows it before runModal. */
    class IdleActivity : public ThreadedActivityWindow
    {
    public:
        IdleActivity() : ThreadedActivityWindow ("Saving Project...", 10000) {}
        void run() override {}
    };

    class BusyPage : public ModalScene::Page
    {
    public:
        BusyPage()
            : Page ("busyPage", "Busy overlay", juce::String (juce::CharPointer_UTF8 ("236 \xc3\x97 169 card in the middle of the canvas")), 760)
        {
            addScene ("ThreadedActivityWindow: the card while the worker runs", 300);
            activity = std::make_unique<IdleActivity>();
            activity->getOverlay().getSpinner().start();
            for (int i = 0; i < 3; ++i)
                activity->getOverlay().getSpinner().timerCallback();
            activity->getOverlay().stopSpinner();

            auto& rendering = addScene ("The main component's own \"Rendering...\" card", 300);
            rendering.host.showActivityOverlay ("Rendering...", true, true);
            rendering.host.getActivityOverlay()->stopSpinner();

            auto& frozen = addScene ("Frozen: the still picture", 300);
            frozen.host.showActivityOverlay ("Preparing...", false, true);
        }

        ~BusyPage() override
        {
            activity.reset();
        }

    private:
        std::unique_ptr<IdleActivity> activity;
    };

    const GalleryPage::Registration page { { "busy", "Busy overlay: the activity card on the canvas",
                                             [] { return std::make_unique<BusyPage>(); } } };
}
