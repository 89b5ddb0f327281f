#include "ArtFamily.h"

#include <algorithm>

namespace
{
    std::vector<ArtFamily>& registry()
    {
        static std::vector<ArtFamily> families;
        return families;
    }
}

std::vector<ArtFamily> ArtFamily::all()
{
    auto families = registry();
    std::sort (families.begin(), families.end(), [] (const ArtFamily& a, const ArtFamily& b) { return a.name < b.name; });
    return families;
}

ArtFamily::Registration::Registration (ArtFamily family)
{
    registry().push_back (std::move (family));
}
