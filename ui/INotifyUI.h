#pragma once
// Receives the notifications of a paint manager's controls.

struct TNotifyUI;

class INotifyUI
{
public:
    virtual void Notify(TNotifyUI& msg) = 0;

protected:
    ~INotifyUI() = default;
};
