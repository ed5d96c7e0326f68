// The product's name and version, shown in every binary's version resource, in the main
// window's title and about box, by the installer and by the scripts that find the window. Only
// preprocessor lines, so that resource scripts and shell scripts read it too.
#pragma once

#define VX_PRODUCT_NAME "Norvexa"
#define VX_COMPANY_NAME "Dravok"
#define VX_VERSION_MAJOR 3
#define VX_VERSION_MINOR 2
#ifndef VX_BUILD_NUMBER
#define VX_BUILD_NUMBER 0
#endif

#define VX_STRINGIFY2(x) #x
#define VX_STRINGIFY(x) VX_STRINGIFY2(x)
// "Norvexa 3.2": the main window's title.
#define VX_PRODUCT_TITLE                                                                           \
    VX_PRODUCT_NAME " " VX_STRINGIFY(VX_VERSION_MAJOR) "." VX_STRINGIFY(VX_VERSION_MINOR)
#define VX_VERSION_TEXT                                                                            \
    VX_STRINGIFY(VX_VERSION_MAJOR)                                                                 \
    "." VX_STRINGIFY(VX_VERSION_MINOR) ".0." VX_STRINGIFY(VX_BUILD_NUMBER)
