#pragma once

#include "DialogTemplate.h"

class DialogUnits;
class QWidget;

// Creates the real widget of one template control inside its dialog.
class ControlFactory {
public:
    static QWidget* Create(const res::ControlTemplate& control, const DialogUnits& units,
                           QWidget* dialog);
};
