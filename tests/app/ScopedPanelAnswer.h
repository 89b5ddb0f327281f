#pragma once

#include "ImageSavePanel.h"

#include <functional>
#include <optional>
#include <vector>

/** Answers the image save panel for the user while it lives, recording what the panel
    offered each time. */
struct ScopedPanelAnswer
{
    using Answer = std::optional<ImageSavePanel::Result>;

    struct Offer
    {
        juce::File folder;
        juce::String name;
        ImageSavePanel::ImageType type;
    };

    explicit ScopedPanelAnswer (std::function<Answer (ImageSavePanel&)> answer)
    {
        ImageSavePanel::setRunner ([this, answer] (ImageSavePanel& panel)
        {
            offers.push_back ({ panel.getDirectoryURL(), panel.getNameFieldStringValue(), panel.getImageType() });
            return answer (panel);
        });
    }

    ~ScopedPanelAnswer()  { ImageSavePanel::setRunner ({}); }

    ScopedPanelAnswer (const ScopedPanelAnswer&) = delete;
    ScopedPanelAnswer& operator= (const ScopedPanelAnswer&) = delete;

    std::vector<Offer> offers;
};
