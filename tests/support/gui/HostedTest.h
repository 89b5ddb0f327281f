#pragma once

#include "HostWindow.h"
#include "MessagePump.h"
#include "PeerInput.h"
#include "SxOutsideInputWatcher.h"

#include <gtest/gtest.h>

namespace sxgui
{
    /** A test with the host window on the desktop and input through its peer. */
    class HostedTest : public ::testing::Test
    {
    protected:
        void SetUp() override     { host.show(); }
        void TearDown() override
        {
            drainMessages();

            if (auto* watcher = SxOutsideInputWatcher::getInstanceWithoutCreating())
                watcher->disarm();
        }

        /** Adds component to the host window (which deletes it) at bounds. */
        template <typename ComponentType>
        ComponentType& add (ComponentType* component, juce::Rectangle<int> bounds)
        {
            host.addAndMakeVisible (component);
            component->setBounds (bounds);
            return *component;
        }

        HostWindow host;
        PeerInput input { host };
    };
}
