// Gallery page "image-list": the paper and border openers in the effect panel, and the
// paper picker open over it with the archive's real thumbnails, the fifth one chosen.

#include "GalleryPage.h"
#include "GenericImageListPanel.h"
#include "../ModalScene.h"

namespace
{
    using namespace GalleryKit;

    class ImageListPage : public ModalScene::Page
    {
    public:
        ImageListPage()
            : Page ("imageListPage", "Thumbnail picker", "openers in the effect panel  /  the paper picker open", 1056)
        {
            auto& closed = addScene ("Openers: the paper (30 x 30) and the border (50 x 50) as chosen", 260);
            auto& panel = closed.host.getEffectPanel();
            addLabel (panel, "Background Style : Paper", "12, 20, left + 180, top + 20", 13.0f);
            makeList (panel, "backgroundPaperImageList", "Thumbnail_Tolva_Backgrounds", "Background", { 203, 36, 30, 30 }).setSelectedIndex (4);
            addLabel (panel, "Border", "12, 110, left + 180, top + 20", 13.0f);
            makeList (panel, "edgeImageList", "Tolva_Thumbnail_Borders", "Border", { 183, 96, 50, 50 }).setSelectedIndex (1);

            auto& shown = addScene ("GenericImageListPanel \"Background\" open over the effect panel, item 5 chosen", 640);
            auto& list = makeList (shown.host.getEffectPanel(), "backgroundPaperImageList", "Thumbnail_Tolva_Backgrounds",
                                   "Background", { 203, 36, 30, 30 });
            list.setSelectedIndex (4);
            list.toggle();
            list.animator.cancelAllAnimations (true);
            list.timerCallback (GenericImageListPanel::dockTimer);
        }

    private:
        static GenericImageListPanel& makeList (juce::Component& effectPanel, const juce::String& name, const juce::String& group,
                                                const juce::String& title, juce::Rectangle<int> bounds)
        {
            auto* list = new GenericImageListPanel();
            effectPanel.addAndMakeVisible (list);
            list->setBounds (bounds);
            list->setName (name);
            list->setContent (group, {});
            list->columns = 3;
            list->itemSize = 65;
            list->opensAsPanel = true;
            list->title = title;
            list->rebuild();
            return *list;
        }
    };

    const GalleryPage::Registration page { { "image-list", "Thumbnail picker: openers and the open paper panel",
                                             [] { return std::make_unique<ImageListPage>(); } } };
}
