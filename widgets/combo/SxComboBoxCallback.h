#pragma once

namespace juce { class Component; }

/** How an owner of several combo boxes hears that one of them changed; it tells them apart
    by their component names. */
class SxComboBoxCallback
{
public:
    virtual ~SxComboBoxCallback() = default;

    virtual void comboChanged (juce::Component* comboBox) {}
};
