// The product's name, version and copyright: one definition, read by the
// program's messages, the batch tool's --version, the version resources of the
// Windows binaries (packaging/VersionInfo.rc.in) and CMake (the package's name).
// Plain macros, so that the resource compiler's preprocessor reads them too.
#ifndef IROMAKI_VERSION_H
#define IROMAKI_VERSION_H

#define IROMAKI_PRODUCT "Iromaki"
#define IROMAKI_VERSION 24
#define IROMAKI_COPYRIGHT "Copyright (C) 2026 Kobairo"

#define IROMAKI_TEXT_OF(x) #x
#define IROMAKI_TEXT(x) IROMAKI_TEXT_OF(x)
#define IROMAKI_VERSION_TEXT IROMAKI_TEXT(IROMAKI_VERSION)

#endif
