// The product's version, shown in every binary's version resource and by the installer.
#pragma once

#define VX_VERSION_MAJOR 3
#define VX_VERSION_MINOR 2
#ifndef VX_BUILD_NUMBER
#define VX_BUILD_NUMBER 0
#endif

#define VX_STRINGIFY2(x) #x
#define VX_STRINGIFY(x) VX_STRINGIFY2(x)
#define VX_VERSION_TEXT                                                                            \
    VX_STRINGIFY(VX_VERSION_MAJOR)                                                                 \
    "." VX_STRINGIFY(VX_VERSION_MINOR) ".0." VX_STRINGIFY(VX_BUILD_NUMBER)
