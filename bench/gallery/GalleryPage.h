#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

/** One page of the widget gallery: a component that sizes itself and shows a family of
    widgets in their states, the way the application would show them.

    Each page lives in its own file under pages/ and registers itself there:

        static const GalleryPage::Registration page { { "bases", "Component bases",
                                                        [] { return std::make_unique<BasesPage>(); } } };

    WidgetGallery renders it to NAME.png and NAME@2x.png.
*/
struct GalleryPage
{
    juce::String name;
    juce::String description;
    std::function<std::unique_ptr<juce::Component>()> create;

    /** Every registered page, sorted by name. */
    static std::vector<GalleryPage> all();

    struct Registration
    {
        explicit Registration (GalleryPage page);
    };
};
