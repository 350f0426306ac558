#include "core/base/program_version.h"

#ifndef POMURAN_VERSION
#error "the build defines POMURAN_VERSION from the project's version"
#endif

const char* programVersion()
{
    return POMURAN_VERSION;
}
