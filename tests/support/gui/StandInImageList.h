#pragma once

#include "GenericImageList.h"

#include <vector>

namespace sxgui
{
    /** A stand-in for the application's thumbnail picker, made through the maker that
        ScopedStandInPickers installs (GenericImageList::create).

        The opener is a framed square showing the chosen index (or "-"); a click on it opens
        a panel of numbered thumbnail buttons ("thumbnail0", "thumbnail1", ...) on the main
        component, left of the effect panel, as the real panel slides in. A thumbnail click
        reports (this list, index) to callback; with closesAfterChoice the panel closes
        first, as the picker's auto-close does.

        Like a picker that leaves its panel to its owner, deleting the list does not close
        the panel, and the panel keeps a plain pointer to the list: an owner must dismiss it
        first. Message thread only.
    */
    class StandInImageList : public GenericImageList
    {
    public:
        explicit StandInImageList (const Variant& variant);
        ~StandInImageList() override;

        const Variant variant;
        /** The archive group given by setContent. */
        juce::String group;
        /** The name given by the last selectItemNamed; empty when none or when an index was
            selected since. */
        juce::String selectedName;
        int rebuilds = 0;
        /** Thumbnails the panel shows. */
        int itemCount = 4;
        bool closesAfterChoice = false;

        bool isOpen() const override  { return panel != nullptr; }
        void toggle() override;
        void rebuild() override       { ++rebuilds; repaint(); }
        void setContent (const juce::String& newGroup, const juce::String&) override  { group = newGroup; }
        void setSelectedIndex (int index) override;
        void selectItemNamed (const juce::String& name) override;
        int getSelectedIndex() const override  { return selected; }
        void dismiss() override;

        /** The open panel; null when closed. */
        juce::Component* getPanel() const noexcept  { return panel; }
        /** The thumbnail button of index on the open panel; null when closed. */
        juce::Button* getThumbnail (int index) const;

        void paint (juce::Graphics& g) override;
        void mouseUp (const juce::MouseEvent& e) override;

    private:
        struct Panel;
        juce::Component* panel = nullptr;
        int selected = -1;

        void choose (int index);
    };

    /** Installs the stand-in maker while it lives and keeps every picker it made. */
    class ScopedStandInPickers
    {
    public:
        ScopedStandInPickers();
        ~ScopedStandInPickers();

        /** The pickers made so far that still exist, oldest first. */
        std::vector<StandInImageList*> made() const;
        /** The first living picker named name; null when none. */
        StandInImageList* named (const juce::String& name) const;
        /** Panels open on the main component right now, whoever made them. */
        static int openPanels();

        /** Applied to every picker made from now on. */
        bool closesAfterChoice = false;

    private:
        std::vector<juce::Component::SafePointer<StandInImageList>> pickers;

        JUCE_DECLARE_NON_COPYABLE (ScopedStandInPickers)
    };
}
