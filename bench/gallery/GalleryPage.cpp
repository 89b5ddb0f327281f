#include "GalleryPage.h"

#include <algorithm>

namespace
{
    std::vector<GalleryPage>& registry()
    {
        static std::vector<GalleryPage> pages;
        return pages;
    }
}

std::vector<GalleryPage> GalleryPage::all()
{
    auto pages = registry();
    std::sort (pages.begin(), pages.end(), [] (const GalleryPage& a, const GalleryPage& b) { return a.name < b.name; });
    return pages;
}

GalleryPage::Registration::Registration (GalleryPage page)
{
    registry().push_back (std::move (page));
}
