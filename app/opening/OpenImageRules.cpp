#include "OpenImageRules.h"

juce::Point<int> OpenImageRules::workingImageSize (int width, int height) noexcept
{
    if (width < 1 || height < 1)
        return { juce::jmax (width, 1), juce::jmax (height, 1) };

    // 64-bit: 1300 times a side of a tall or wide image does not fit in an int.
    const juce::int64 a = width - 1, b = height - 1;
    if (a == 0 || b == 0)
        return { width, height };

    juce::int64 w = 1300, h = 1300 * b / a;
    if (h > 1300)
    {
        w = 1300 * a / b;
        h = 1300;
    }
    return { (int) w + 1, (int) h + 1 };
}

bool OpenImageRules::isAcceptedDragPath (const juce::String& path, const juce::String& projectExtension)
{
    for (const char* ending : { "JPG", "PNG", "JPEG", "TIF", "TIFF", "NEF", "CR2", "PSD", "BMP" })
        if (path.endsWithIgnoreCase (ending))
            return true;

    return projectExtension.isNotEmpty() && path.endsWithIgnoreCase (projectExtension);
}

juce::String OpenImageRules::describeNotOpened (const juce::File& file, const juce::String& reason)
{
    return "\"" + file.getFileName() + "\" was not opened. " + reason;
}
