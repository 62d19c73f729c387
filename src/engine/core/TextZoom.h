// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QtGlobal>

/// The five text sizes of the text-size page command, 0 (smallest) to 4 (largest), as page
/// zoom factors. The steps follow the usual "smallest .. largest" menu of a browser:
///   0: 0.75   1: 0.9   2: 1.0 (the size a page opens with)   3: 1.2   4: 1.5
/// The two engine kinds apply them differently: the IE kind (TUIWebBrowser, Chromium) has no
/// text-only zoom and scales the whole page, images and layout included; the Gecko kind
/// (TMozillaBrowser, WebKit) scales the text alone and keeps the page's layout width.
class TextZoom
{
public:
    static constexpr int Smallest = 0;
    static constexpr int Medium = 2;
    static constexpr int Largest = 4;

    static bool isValid(int size) { return size >= Smallest && size <= Largest; }
    /// The zoom factor of \a size; 1.0 for a size out of range.
    static qreal factor(int size);
};
