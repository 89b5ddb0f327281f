#include "WatercolorControlPage.h"

#include "GenericImageList.h"
#include "PaperChoiceUI.h"
#include "SxColorChipSelectionSlider.h"
#include "SxLabelImageList.h"
#include "SxLabelSegmentController.h"
#include "SxLabelSlider.h"
#include "SxLayoutController.h"
#include "SxMainTabComponent.h"
#include "SxRelativeBounds.h"
#include "SxRoundRectangleButton.h"
#include "SxWidgetArt.h"

namespace WatercolorControlPage
{
    namespace
    {
        using namespace WatercolorControlTable;

        /** Colour words (bytes A, R, G, B in memory) of the "Selective Mask" button. */
        constexpr juce::uint32 maskButtonOutline = 0x454545ffu, maskButtonOutlineDown = 0x818181ffu,
                               maskButtonFill = 0xd4c34fffu, maskButtonFillDown = 0x3b3b3bffu;

        /** The parts every slider row shares: label, range, bound field, listener, help. */
        template <typename Row>
        Row* bindSlider (Row* row, const SliderRow& entry, WatercolorSettings& settings, const Listeners& listeners)
        {
            if (entry.ownRange)
                row->getSlider().setRange (entry.minimum, entry.maximum, entry.interval);
            row->setValuePointer (&(settings.*entry.field));
            row->addSliderListener (&listeners.sliders);
            row->getSlider().setTooltip (entry.helpText);
            return row;
        }

        SxLabelSlider* makeSlider (const char* name, WatercolorSettings& settings, const Listeners& listeners)
        {
            const auto* entry = sliderNamed (name);
            jassert (entry != nullptr);
            return bindSlider (new SxLabelSlider (entry->componentName, nullptr, entry->label(), false), *entry, settings, listeners);
        }

        SxColorChipSelectionSlider* makeInkColour (const char* name, WatercolorSettings& settings, const Listeners& listeners)
        {
            const auto* entry = sliderNamed (name);
            jassert (entry != nullptr);
            auto* row = bindSlider (new SxColorChipSelectionSlider (entry->componentName, nullptr, entry->label(), &settings.sepiaColor),
                                    *entry, settings, listeners);
            row->listener = &listeners.controls;
            row->getColourPicker().setTooltip (inkColourHelp);
            return row;
        }

        SxLabelSegmentController* makeColorArea (int width, WatercolorSettings& settings, const Listeners& listeners)
        {
            auto* area = new SxLabelSegmentController (colorAreaName, WatercolorSettings::labelOf ("mInsideColor"),
                                                       &settings.mInsideColor, false, false);
            area->listener = &listeners.controls;
            area->setSize (width, 53);
            area->setSegmentTooltip ({});
            area->setTooltip (colorAreaHelp);
            for (const auto& choice : colorAreaChoices())
                area->addSegment (choice, 1);
            area->buildSegments();
            return area;
        }

        SxComponent* makeMaskHolder (const Listeners& listeners)
        {
            auto* holder = new SxComponent (maskHolderName);
            SxRelativeBounds::apply (*holder, "0, 0, parent.width, 40");

            auto* button = new SxRoundRectangleButton (maskButtonName, "Selective Mask", {}, 3, maskButtonOutline,
                                                       maskButtonOutlineDown, maskButtonFill, maskButtonFillDown);
            button->addListener (&listeners.buttons);
            holder->addAndMakeVisible (button);
            SxRelativeBounds::apply (*button, "(parent.width - 150) / 2, 5, left + 150, top + 30");
            return holder;
        }

        SxLabelImageList* makeBorder (const Listeners& listeners)
        {
            SxLabelImageList::Options options;
            options.variant = thumbnailPicker();
            options.tooltip = borderHelp;
            auto* border = new SxLabelImageList (borderName, "Border", borderThumbnails, "Border", options);

            if (auto* list = border->getImageList())
                list->callback = &listeners.imageLists;
            return border;
        }
    }

    Built build (SxMainTabComponent& page, WatercolorSettings& settings, const Listeners& listeners, Effect effect)
    {
        page.build (5, 3);
        page.setName ("Adjust");
        page.setTabPictures (SxWidgetArt::get (WidgetArt::watercolourTab), SxWidgetArt::get (WidgetArt::watercolourTabPressed));

        const int width = page.getController()->getWidth();
        Built built;

        for (const auto& row : rowsOf (effect))
        {
            juce::Component* added = nullptr;

            switch (row.kind)
            {
                case RowKind::slider:
                {
                    auto* slider = makeSlider (row.first, settings, listeners);
                    page.addFullWidthItem (slider, false);
                    added = slider;
                    break;
                }

                case RowKind::sliderPair:
                    page.addItemPair (makeSlider (row.first, settings, listeners), makeSlider (row.second, settings, listeners), false);
                    break;

                case RowKind::colorArea:
                    added = makeColorArea (width, settings, listeners);
                    page.addItem (added);
                    break;

                case RowKind::maskHolder:
                    added = makeMaskHolder (listeners);
                    page.addItem (added);
                    break;

                case RowKind::inkColour:
                {
                    auto* ink = makeInkColour (row.first, settings, listeners);
                    page.addFullWidthItem (ink, false);
                    added = ink;
                    break;
                }

                case RowKind::background:
                    built.paperChoice = new PaperChoiceUI();
                    built.paperChoice->callback = &listeners.panels;
                    built.paperChoice->bindTo (settings);
                    added = built.paperChoice;
                    page.addItem (added);
                    break;

                case RowKind::border:
                    built.borderList = makeBorder (listeners);
                    added = built.borderList;
                    page.addItem (added);
                    break;
            }

            if (row.topMargin != 0 && added != nullptr)
                page.setItemTopMargin (added, row.topMargin);
        }

        page.layoutItems();
        return built;
    }

    juce::Component* findRow (SxMainTabComponent& page, const juce::String& componentName)
    {
        if (auto* controller = page.getController())
            for (auto* item : controller->getItems())
                if (item->getName() == componentName)
                    return item;
        return nullptr;
    }

    void showRows (SxMainTabComponent& page, RowVisibility visibility, bool immediate)
    {
        auto* controller = page.getController();
        if (controller == nullptr)
            return;

        // A change still playing ends first, so the rows start from where it was going.
        controller->finishAnimations();
        controller->clearPendingChanges();

        const std::pair<const char*, bool> rows[] = {
            { maskHolderName,      visibility.selectiveMask },
            { "wetEdgeSizeSlider", visibility.wetEdges },
            { "edgeSizeSlider",    visibility.areaFill },
        };

        for (const auto& [name, shown] : rows)
            controller->setItemVisible (findRow (page, name), shown);

        page.animateChanges (immediate ? 0 : rowAnimationMs, false);

        if (immediate)
            controller->finishAnimations();
    }
}
