#pragma once
// The hook's view of the whole X11 desktop: XInput2 raw key and button events
// on the root window of a connection of its own, whichever window has the
// focus. It selects only what the hook currently reports, nothing otherwise.

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

class XInputSource : public QObject
{
public:
    // A raw event: an X key code or button number, up or down, server time.
    using Handler = std::function<void(bool bKey, uint32_t detail, bool bUp, uint32_t time)>;

    // None without an X display or without XInput 2.2 on it.
    static std::unique_ptr<XInputSource> Open(Handler handler);
    ~XInputSource() override;

    // Selects the raw key and button events; both false selects none.
    void Select(bool bKeys, bool bButtons);

private:
    XInputSource(xcb_connection_t* c, uint32_t root, uint8_t opcode, Handler handler);
    void ReadEvents();

    xcb_connection_t* m_pConnection;
    uint32_t m_root;
    uint8_t m_opcode;
    Handler m_handler;
    QSocketNotifier* m_pNotifier = nullptr;
    bool m_bKeys = false;
    bool m_bButtons = false;
};
