// Gallery page "alerts": the alert at rest with a message that needs more than eight lines,
// the quit question with its three buttons, and the fade message at full strength.

#include "GalleryPage.h"
#include "ModalScene.h"
#include "SxAlertFadeMessage.h"
#include "SxAlertComponent.h"
#include "SxPluginAlertComponent.h"

namespace
{
    class AlertsPage : public ModalScene::Page
    {
    public:
        AlertsPage()
            : Page ("alertsPage", "Alerts", juce::String (juce::CharPointer_UTF8 ("600 \xc3\x97 200 alerts at rest, top at \xe2\x88\x92" "25  \xc2\xb7  fade message")), 760)
        {
            addScene ("SxAlertComponent: a long message in at most eight lines, never squeezed", 300);
            auto* alert = new SxAlertComponent ("ExceededLayers", "Too Many Layers",
                                                "You have reached the limit of six layers for this painting. Merge two layers, "
                                                "or delete one you no longer need, before you add another effect. Every layer keeps "
                                                "its own controls, mask and blend mode, and hidden layers count as well. A flattened "
                                                "copy of two layers keeps the look of both, but their settings can no longer be "
                                                "changed apart, so save the project first if you may want them again later. Presets "
                                                "and masks stay where they are. A message this long keeps to eight lines: its letters "
                                                "grow smaller, never narrower, and nothing runs out of the alert.",
                                                nullptr);
            alert->timerCallback (SxAlertPanel::pinTimer);

            addScene ("SxPluginAlertComponent: Cancel, Quit, Apply", 300);
            auto* question = new SxPluginAlertComponent ("pluginQuitAlert", "Quit or Apply?",
                                                         "Apply the painting to the photo, quit without applying, or keep working.",
                                                         nullptr);
            question->timerCallback (SxAlertPanel::pinTimer);

            addScene ("SxAlertFadeMessage over the canvas, fully faded in", 300);
            auto& canvas = scenes.back()->host.getCanvas();
            auto* message = new SxAlertFadeMessage ("savedMessage", "Saved", 800, &canvas);
            message->timerCallback (SxAlertFadeMessage::fadeInTimer);
            message->animator.cancelAllAnimations (true);
            message->stopTimer (SxAlertFadeMessage::fadeOutTimer);
        }
    };

    const GalleryPage::Registration page { { "alerts", "Alerts: eight-line message, the quit question and the fade message",
                                             [] { return std::make_unique<AlertsPage>(); } } };
}
