#pragma once
// The message dialog: a title and a message, both language text keys, ended
// with OK (1) or Cancel or its close button (0); a choice of three also has
// a middle answer (2).

#include "ui/DialogWnd.h"

#include <QStringList>
#include <functional>

class CLabelUI;

enum class MsgKind
{
    Question,   // OK and Cancel
    Information, // OK alone: there is nothing to decline
    ApplyDiscard // Apply (1), Discard (2) and Cancel (0)
};

inline constexpr UINT kMsgAnswerDiscard = 2;

class CMsgWnd : public CDialogWnd
{
public:
    // With bDeleteOnClose the dialog deletes itself once its window is gone;
    // otherwise the caller owns it (typically on its stack).
    explicit CMsgWnd(bool bDeleteOnClose = false) : m_bDeleteOnClose(bDeleteOnClose) {}

    void SetTitle(const QString& titleKey) { m_strTitle = titleKey; }
    void SetMsg(const QString& msgKey) { m_strMsg = msgKey; }
    void SetKind(MsgKind kind) { m_kind = kind; }

    // Shows a message the way the whole program does: the overlay of
    // pOverlayWindow (null: none) is shown while the dialog, owned by hOwner
    // (null: none), runs modally and centred; returns 1 for OK, 2 for the
    // middle answer of a choice of three, 0 otherwise.
    // With args, the message's text fills its placeholders %1, %2, ...
    static UINT ShowMessage(CPaintManagerUI* pOverlayWindow, HWND hOwner, const QString& titleKey,
                            const QString& msgKey, MsgKind kind, const QStringList& args = {});

    // The text of a message key in the loaded language, %1, %2, ... filled
    // from args.
    static QString MessageText(const QString& msgKey, const QStringList& args);
    void SetMsgArgs(const QStringList& args) { m_aMsgArgs = args; }

    // For tests without a person at the screen: once a message's dialog runs
    // modally, the hook gets its keys and returns the answer (1 OK, 0 Cancel, 2)
    // the dialog then closes with. Empty (the default): the user answers.
    using AnswerHook = std::function<UINT(const QString& titleKey, const QString& msgKey)>;
    static void SetAnswerHook(AnswerHook hook);

protected:
    QString GetWindowClassName() const override;
    void OnFinalMessage(HWND hWnd) override;
    void InitWindow() override;
    QString GetSkinFile() override;
    void Notify(TNotifyUI& msg) override;

private:
    void FitMessage();

    bool m_bDeleteOnClose;
    QString m_strTitle;
    QString m_strMsg;
    MsgKind m_kind = MsgKind::Question;
    QStringList m_aMsgArgs;
    CLabelUI* m_pTitleLabel = nullptr;
    CLabelUI* m_pMsgLabel = nullptr;
    CControlUI* m_pDiscardBtn = nullptr; // a choice of three only
};
