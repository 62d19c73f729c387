// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The module's version block, read from the file by the about box without loading the module:
// the marker, a NUL, then name/value pairs, each NUL-terminated, and an empty name at the end.
// DORVU_VERSION and MOZCTL_WEBKIT_VERSION (the WebKitGTK built against) come from the build.

extern "C" __attribute__((visibility("default"), used)) const char dorvu_mozctl_versioninfo[] =
    "DORVU-VERSIONINFO\0"
    "CompanyName\0"
    "Dorvu developers\0"
    "FileDescription\0"
    "Dorvu WebKit engine module\0"
    "FileVersion\0" DORVU_VERSION " (WebKitGTK " MOZCTL_WEBKIT_VERSION ")\0"
    "InternalName\0"
    "mozctl\0"
    "LegalCopyright\0"
    "GPL-2.0-or-later\0"
    "OriginalFilename\0"
    "mozctl.so\0"
    "ProductName\0"
    "Dorvu\0"
    "ProductVersion\0" DORVU_VERSION "\0"
    "\0";
