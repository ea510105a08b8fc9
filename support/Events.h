#pragma once
// Lets the window repaint and take input in the middle of a long step.
class Events {
public:
    virtual ~Events() = default;

    // Handles the window events that are waiting, then returns.
    virtual void DoEvents() = 0;
};
