#pragma once
// The rules of the add-on list that need no drawing: which stars a rating
// lights, where a row's parts go, which part a point hits, what a row's name
// line says and which text an empty list shows.
#include <windows.h>

#include <array>
#include <string>

#include "browsers/BrowserExtensionInfo.h"
#include "browsers/BrowserKind.h"
#include "ui/RowHitAreas.h"

enum class TStarLook { Lit, Half, Grey };

// Five stars: lit up to the whole part of the rating, one half-lit star for
// any fraction, grey for the rest.
std::array<TStarLook, 5> RatingStars(double rating);

// The parts of one row, in list pixels. column1Left and column1Right are the
// middle column's edges; offsets are design pixels scaled for the DPI.
struct TRowParts {
    RECT Rating;
    RECT Toggle;  // empty without a switch
    RECT Delete;
};
TRowParts RowParts(int column1Left, int column1Right, int rowTop, bool hasSwitch, UINT dpi);

enum class TRowArea { None, Delete, Toggle, Rating };
// The part under a point in list pixels, tested in the order delete,
// switch, rating (left and top edges inside, right and bottom outside).
TRowArea RowAreaAt(const TRowHitAreas& row, POINT point);

// The name line: the name, or the id when the name is empty, marked " (64)"
// for an add-on of the native registry view on 64-bit Windows.
std::wstring RowNameText(const TBrowserExtensionInfo& addon, bool win64);

// The Messages key of the text an empty list shows: for no browser, for
// Internet Explorer under a kind tab, or for the other browsers.
std::wstring EmptyListKey(bool browserSelected, BrowserKind browser, int kindFilter);
