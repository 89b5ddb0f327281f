// Renders pages of widgets to PNG files at 1x and 2x, to look at them as a user would:
//     WidgetGallery --page NAME|all --out DIR
//     WidgetGallery --list
// Needs an X display (the widget_gallery target runs it under xvfb-run).

#include "AtomicFileWriter.h"
#include "GalleryPage.h"
#include "HostWindow.h"
#include "XErrors.h"

#include <iostream>

namespace
{
    bool writePng (const juce::Image& image, const juce::File& file)
    {
        return AtomicFileWriter::write (file, [&image] (juce::OutputStream& out)
        {
            return juce::PNGImageFormat().writeImageToStream (image, out);
        });
    }

    bool render (const GalleryPage& page, const juce::File& folder)
    {
        auto component = page.create();

        if (component == nullptr || component->getWidth() <= 0 || component->getHeight() <= 0)
        {
            std::cerr << "page " << page.name << " made no component with a size\n";
            return false;
        }

        for (const int scale : { 1, 2 })
        {
            const auto image = component->createComponentSnapshot (component->getLocalBounds(), true, (float) scale);
            const auto file = folder.getChildFile (page.name + (scale == 1 ? ".png" : "@2x.png"));

            if (! writePng (image, file))
            {
                std::cerr << "cannot write " << file.getFullPathName() << "\n";
                return false;
            }

            std::cout << file.getFullPathName() << "\n";
        }

        return true;
    }

    int usage (const std::vector<GalleryPage>& pages)
    {
        std::cerr << "usage: WidgetGallery --page NAME|all --out DIR\n       WidgetGallery --list\npages:\n";
        for (auto& p : pages)
            std::cerr << "  " << p.name << "  " << p.description << "\n";
        return 2;
    }
}

int main (int argc, char* argv[])
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (argv[i]);

    const auto pages = GalleryPage::all();

    if (args.contains ("--list"))
    {
        for (auto& p : pages)
            std::cout << p.name << "\n";
        return 0;
    }

    const auto pageIndex = args.indexOf ("--page"), outIndex = args.indexOf ("--out");
    if (pageIndex < 0 || outIndex < 0 || pageIndex + 1 >= args.size() || outIndex + 1 >= args.size())
        return usage (pages);

    const auto wanted = args[pageIndex + 1];
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (args[outIndex + 1]);

    std::vector<GalleryPage> chosen;
    for (auto& p : pages)
        if (wanted == "all" || p.name == wanted)
            chosen.push_back (p);

    if (chosen.empty())
    {
        std::cerr << "no page named " << wanted << "\n";
        return usage (pages);
    }

    if (! folder.createDirectory())
    {
        std::cerr << "cannot create " << folder.getFullPathName() << "\n";
        return 1;
    }

    sxgui::ignoreXErrors();
    const juce::ScopedJuceInitialiser_GUI gui;
    // The stand-in main component: the kit's services, the main look-and-feel as default
    // (with the pinned font), not shown.
    sxgui::HostWindow host;

    bool ok = true;
    for (auto& p : chosen)
        ok = render (p, folder) && ok;

    return ok ? 0 : 1;
}
