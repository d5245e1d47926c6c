#pragma once
// A page still to be built: its template and tab caption, nothing else.
#include "win/PropertyPage.h"

class PlaceholderPage final : public win::PropertyPage {
public:
    explicit PlaceholderPage(UINT templateId) noexcept : PropertyPage(templateId) {}
};
