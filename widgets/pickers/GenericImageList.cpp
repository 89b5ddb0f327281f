#include "GenericImageList.h"

namespace
{
    GenericImageList::Maker& installedMaker()
    {
        static GenericImageList::Maker maker;
        return maker;
    }
}

GenericImageList::GenericImageList() : SxComponent ("ImageListMainComponent") {}

void GenericImageList::installMaker (Maker maker)
{
    installedMaker() = std::move (maker);
}

std::unique_ptr<GenericImageList> GenericImageList::create (const Variant& variant)
{
    if (auto& maker = installedMaker())
        return maker (variant);

    return nullptr;
}
