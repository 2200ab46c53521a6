#pragma once

#include "framework/PropertyPageWindow.h"

// A property page class over its own type: T names its dialog template with
// `static constexpr UINT IDD`. The in-memory constructor serves pages without a resource.
template <class T> class PropertyPageImpl : public PropertyPageWindow {
public:
    PropertyPageImpl() : PropertyPageWindow(T::IDD) {}
    explicit PropertyPageImpl(const DLGTEMPLATE* dialogTemplate)
        : PropertyPageWindow(dialogTemplate) {}
};
