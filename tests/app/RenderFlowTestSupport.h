#pragma once

#include "GenericAppComponentLayers.h"
#include "MessagePump.h"
#include "PeerInput.h"
#include "RenderThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace rendertest
{
    /** Waits for the running preview render and every one it chains, delivering their
        completions, until none runs. */
    inline void finishRenders (GenericAppComponent& main)
    {
        for (int chained = 0; chained < 20; ++chained)
        {
            sxgui::drainMessages();
            auto* thread = main.getRenderThread();
            if (thread == nullptr)
                return;
            ASSERT_TRUE (thread->waitForThreadToExit (120000)) << "the render did not end";
        }
        FAIL() << "renders kept chaining";
    }

    /** Starts main and builds its window content, then puts it on the desktop at 1024 x 700:
        the input that reaches it through its peer. */
    inline std::unique_ptr<sxgui::PeerInput> startOnDesktop (GenericAppComponent& main)
    {
        main.startUp();
        main.createUI();
        main.setBounds (0, 0, 1024, 700);
        main.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
        main.setVisible (true);
        return std::make_unique<sxgui::PeerInput> (main);
    }

    /** A PNG of width x height filled with one opaque colour. */
    inline juce::File writePng (const juce::File& file, int width, int height, juce::Colour colour)
    {
        juce::Image image (juce::Image::ARGB, width, height, false);
        image.clear (image.getBounds(), colour);
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat().writeImageToStream (image, out);
        return file;
    }

    /** An effect that paints its output one colour, records the thread of every render and,
        while held, waits in its render until released. */
    struct GateLayer : public Layer
    {
        Layer* createInstance() override  { return new GateLayer(); }
        juce::String getShortName() const override  { return "Gate"; }

        void render (RenderParameters& params) override
        {
            {
                const std::scoped_lock lock (threadsLock);
                renderThreads.push_back (juce::Thread::getCurrentThreadId());
            }
            entered.signal();
            if (hold)
                release.wait (120000);

            prepareOutputImage (params);
            if (auto* out = getOutputImage())
                out->fill (colour.load());
        }

        std::vector<juce::Thread::ThreadID> threads()
        {
            const std::scoped_lock lock (threadsLock);
            return renderThreads;
        }

        /** Renders that ran on the calling thread. */
        int rendersOnThisThread()
        {
            const auto me = juce::Thread::getCurrentThreadId();
            int count = 0;
            for (auto id : threads())
                count += id == me ? 1 : 0;
            return count;
        }

        std::atomic<bool> hold { false };
        std::atomic<uint32_t> colour { 0x0000ffffu };   // opaque red (bytes A, R, G, B)
        juce::WaitableEvent entered, release;

    private:
        std::mutex threadsLock;
        std::vector<juce::Thread::ThreadID> renderThreads;
    };

    /** The shell's main component with the gate as its one effect, recording the messages
        of files that did not open instead of sliding in the alert. */
    struct GatedComponent : public GenericAppComponentLayers
    {
        juce::String getAppName() const override  { return "Render Flow Test"; }

        void createEffectLayers() override
        {
            gate = new GateLayer();
            addEffect (gate);
        }

        void showImageNotOpened (const juce::String& title, const juce::String& message) override
        {
            notOpened.add (title + ": " + message);
        }

        SxImageRgbaBytes* shownImage() const  { return getDocument()->getImage(); }

        GateLayer* gate = nullptr;
        juce::StringArray notOpened;
    };
}
