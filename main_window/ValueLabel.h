#pragma once
// The value label of a vehicle-data field: a clickable label whose text is the
// committed value. To a screen reader its name is the field's caption ("Vehicle
// Weight", given as its accessible name) and its text the value, so it hears
// which value it reads, not a bare number.
#include "main_window/ClickableLabel.h"

class ValueLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit ValueLabel(QWidget* parent = nullptr);
};
