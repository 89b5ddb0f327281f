#include "Quenzella_Tolva.h"

int main (int argc, char* argv[])
{
    // A second launch gives its files to the running instance and ends here.
    if (GenericApplication::handOverToRunningInstance ("quenzella-tolva", argc, argv))
        return 0;

    GenericApplication::catchQuitSignals();
    juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return new Quenzella_Tolva(); };
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
