#pragma once

// What the pages of the modal panels share: a scene is a small stand-in main window (the
// test harness's host window: toolbar, canvas, effect panel) with a caption above it. A
// panel made while its scene is the newest one alive goes into that scene. The host window
// makes its look-and-feel the default while it lives; a page keeps a ModalScene::Restorer
// as its first member so that the gallery's own comes back when the page goes.

#include "GalleryKit.h"
#include "HostWindow.h"

#include <memory>

namespace ModalScene
{
    inline constexpr int captionHeight = 26;

    struct Restorer
    {
        juce::LookAndFeel& previous = juce::LookAndFeel::getDefaultLookAndFeel();
        ~Restorer()  { juce::LookAndFeel::setDefaultLookAndFeel (&previous); }
    };

    class Scene : public juce::Component
    {
    public:
        Scene (const juce::String& caption, int width, int height)
        {
            setSize (width, height + captionHeight);
            GalleryKit::addLabel (*this, caption, "10, 0, parent.width - 10, top + " + juce::String (captionHeight),
                                  12.0f, false, juce::Justification::centredLeft, GalleryKit::captionGrey);
            addAndMakeVisible (host);
            host.setBounds (0, captionHeight, width, height);
        }

        ~Scene() override
        {
            deleteAllChildren (host);
        }

        void paint (juce::Graphics& g) override  { g.fillAll (juce::Colour (40, 40, 40)); }

        sxgui::HostWindow host;

    private:
        /** The caption label (ours) goes; the host deletes what was left in it itself. */
        void deleteAllChildren (juce::Component& keep)
        {
            for (int i = getNumChildComponents(); --i >= 0;)
                if (auto* child = getChildComponent (i); child != &keep)
                    delete child;
        }
    };

    /** A page of scenes stacked under a title bar. */
    class Page : public SxComponent
    {
    public:
        Page (const juce::String& name, const juce::String& title, const juce::String& subtitle, int width)
            : SxComponent (name), pageWidth (width)
        {
            auto* bar = GalleryKit::band (0x414141FFu);
            GalleryKit::place (*this, bar, "0, 0, left + parent.width, top + 33");
            GalleryKit::addLabel (*bar, title, "16, 0, left + 300, top + 33", 14.0f, true);
            GalleryKit::addLabel (*bar, subtitle, "parent.width - 616, 0, left + 600, top + 33", 13.0f, false,
                                  juce::Justification::centredRight, GalleryKit::captionGrey);
            setSize (width, 33);
        }

        /** Adds a scene below the others; panels made now go into it. */
        Scene& addScene (const juce::String& caption, int height)
        {
            auto scene = std::make_unique<Scene> (caption, pageWidth - 32, height);
            scene->setTopLeftPosition (16, getHeight() + 12);
            addAndMakeVisible (*scene);
            setSize (pageWidth, scene->getBottom() + 16);
            scenes.push_back (std::move (scene));
            return *scenes.back();
        }

        void paint (juce::Graphics& g) override  { g.fillAll (juce::Colour (30, 30, 30)); }

    private:
        Restorer restorer;
        const int pageWidth;

    protected:
        // Declared after the restorer: the scenes go first, then the look-and-feel comes back.
        std::vector<std::unique_ptr<Scene>> scenes;
    };
}
