#include "StandInImageList.h"

#include "SxMainComponentServices.h"

namespace sxgui
{
    namespace
    {
        const char* const panelName = "standInThumbnailPanel";
        constexpr int thumbnail = 65, gap = 5;
    }

    /** The panel: numbered thumbnails in columns; it knows its list by a plain pointer. */
    struct StandInImageList::Panel : public juce::Component,
                                     public juce::Button::Listener
    {
        explicit Panel (StandInImageList& owner) : list (&owner)
        {
            setName (panelName);
            const int columns = juce::jmax (1, owner.columns);

            for (int i = 0; i < owner.itemCount; ++i)
            {
                auto* b = buttons.add (new juce::TextButton (juce::String (i + 1)));
                b->setName ("thumbnail" + juce::String (i));
                b->addListener (this);
                addAndMakeVisible (b);
                b->setBounds (gap + (i % columns) * (thumbnail + gap), 30 + (i / columns) * (thumbnail + gap), thumbnail, thumbnail);
            }

            const int rows = (owner.itemCount + columns - 1) / columns;
            setSize (gap + columns * (thumbnail + gap), 30 + rows * (thumbnail + gap));
        }

        // A choice may close the panel: nothing of it is touched after choose.
        void buttonClicked (juce::Button* b) override  { list->choose (buttons.indexOf (static_cast<juce::TextButton*> (b))); }

        void paint (juce::Graphics& g) override
        {
            g.fillAll (juce::Colour (40, 40, 40));
            g.setColour (juce::Colour (250, 250, 250));
            g.drawText (list->title, 0, 0, getWidth(), 30, juce::Justification::centred);
        }

        StandInImageList* list;
        juce::OwnedArray<juce::TextButton> buttons;
    };

    StandInImageList::StandInImageList (const Variant& v) : variant (v) {}

    StandInImageList::~StandInImageList() = default;

    void StandInImageList::toggle()
    {
        if (panel != nullptr)
        {
            dismiss();
            return;
        }

        auto* main = SxMainComponentServices::getInstance();
        if (main == nullptr)
            return;

        auto& host = main->getMainComponent();
        panel = new Panel (*this);
        host.addAndMakeVisible (panel);
        panel->setTopLeftPosition (host.getWidth() - 256 - panel->getWidth(), 40);
    }

    void StandInImageList::dismiss()
    {
        delete panel;
        panel = nullptr;
    }

    juce::Button* StandInImageList::getThumbnail (int index) const
    {
        if (auto* p = dynamic_cast<Panel*> (panel))
            return p->buttons[index];
        return nullptr;
    }

    void StandInImageList::setSelectedIndex (int index)
    {
        selected = index;
        selectedName = {};
        repaint();
    }

    void StandInImageList::selectItemNamed (const juce::String& name)
    {
        selectedName = name;
        repaint();
    }

    void StandInImageList::choose (int index)
    {
        selected = index;
        selectedName = {};

        if (closesAfterChoice)
            dismiss();

        if (callback != nullptr)
            callback->imageListItemChosen (this, index);
    }

    void StandInImageList::paint (juce::Graphics& g)
    {
        const auto area = getLocalBounds().toFloat().reduced (1.0f);
        g.setColour (juce::Colour (96, 96, 96));
        g.fillRoundedRectangle (area, 3.0f);
        g.setColour (juce::Colour (250, 250, 250));
        g.drawRoundedRectangle (area, 3.0f, 1.5f);
        g.setFont (juce::Font (11.0f));
        g.drawText (selected >= 0 ? juce::String (selected + 1) : juce::String ("-"), getLocalBounds(), juce::Justification::centred);
    }

    void StandInImageList::mouseUp (const juce::MouseEvent& e)
    {
        if (getLocalBounds().contains (e.getPosition()))
            toggle();
    }

    //==============================================================================
    ScopedStandInPickers::ScopedStandInPickers()
    {
        GenericImageList::installMaker ([this] (const GenericImageList::Variant& variant)
        {
            auto list = std::make_unique<StandInImageList> (variant);
            list->closesAfterChoice = closesAfterChoice;
            pickers.emplace_back (list.get());
            return std::unique_ptr<GenericImageList> (std::move (list));
        });
    }

    ScopedStandInPickers::~ScopedStandInPickers()
    {
        GenericImageList::installMaker ({});
    }

    std::vector<StandInImageList*> ScopedStandInPickers::made() const
    {
        std::vector<StandInImageList*> result;
        for (auto& p : pickers)
            if (p != nullptr)
                result.push_back (p.getComponent());
        return result;
    }

    StandInImageList* ScopedStandInPickers::named (const juce::String& name) const
    {
        for (auto* p : made())
            if (p->getName() == name)
                return p;
        return nullptr;
    }

    int ScopedStandInPickers::openPanels()
    {
        auto* main = SxMainComponentServices::getInstance();
        if (main == nullptr)
            return 0;

        int open = 0;
        for (auto* child : main->getMainComponent().getChildren())
            open += child->getName() == panelName ? 1 : 0;
        return open;
    }
}
