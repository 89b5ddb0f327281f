#pragma once

#include <clocale>
#include <string>

/** Switches LC_ALL to a locale that writes decimals with a comma (de_DE, else fr_FR) for
    its scope, when one is installed; scripts/setup.sh generates de_DE.UTF-8. */
class CommaDecimalLocale
{
public:
    CommaDecimalLocale() : previous (std::setlocale (LC_ALL, nullptr))
    {
        for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8" })
            if (std::setlocale (LC_ALL, name) != nullptr)
                return;
    }

    ~CommaDecimalLocale()  { std::setlocale (LC_ALL, previous.c_str()); }

    bool isActive() const  { return std::localeconv()->decimal_point[0] == ','; }

    CommaDecimalLocale (const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator= (const CommaDecimalLocale&) = delete;

private:
    std::string previous;
};
