// Gallery page "dialogs": the naming dialog with a name typed, and the preferences panel
// as the main component shows them, slid down and settled.

#include "GalleryPage.h"
#include "ModalScene.h"
#include "SxNamingDialog.h"

namespace
{
    class DialogsPage : public ModalScene::Page
    {
    public:
        DialogsPage()
            : Page ("dialogsPage", "Dialogs", juce::String (juce::CharPointer_UTF8 ("naming dialog 400 \xc3\x97 150  \xc2\xb7  preferences 450 \xc3\x97 235")), 760)
        {
            addScene ("SxNamingDialog \"Save Preset\", a name typed", 260);
            auto* dialog = new SxNamingDialog ("PresetSaveDialog", nullptr, "Save Preset");
            dialog->animator.cancelAllAnimations (true);
            dialog->getNameBox()->setText ("Evening Light", false);

            auto& preferences = addScene ("SxPreferenceComponent, nothing stored yet", 300);
            preferences.host.showPreferences();
            preferences.host.getPanelAnimator().cancelAllAnimations (true);
        }
    };

    const GalleryPage::Registration page { { "dialogs", "Dialogs: the naming dialog and the preferences panel",
                                             [] { return std::make_unique<DialogsPage>(); } } };
}
