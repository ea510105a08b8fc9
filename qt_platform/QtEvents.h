#pragma once
#include "support/Events.h"

class QtEvents : public Events {
public:
    void DoEvents() override;
};
