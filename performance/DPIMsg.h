#pragma once
// The small top-most popup that shows the DPI the mouse switched to. It never
// takes the focus and deletes itself once its window is gone.

#include "ui/WindowImplBase.h"

class CLabelUI;

class CDPIMsg : public WindowImplBase
{
public:
    explicit CDPIMsg(QString text) : m_strText(std::move(text)) {}

    // Shows the text at once when the window is up.
    void SetText(const QString& text);
    const QString& GetText() const { return m_strText; }

protected:
    QString GetWindowClassName() const override;
    QString GetSkinFile() override;
    void InitWindow() override;
    void OnFinalMessage(HWND hWnd) override;

private:
    QString m_strText;
    CLabelUI* m_pValueLabel = nullptr;
    bool m_bDeleteOnClose = true;
};
