#include "platform/XInputSource.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

std::unique_ptr<XInputSource> XInputSource::Open(Handler handler)
{
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c) != 0)
    {
        xcb_disconnect(c);
        return nullptr;
    }
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_input_id);
    // Raw events reach a root window whatever else grabs the devices from 2.1
    // on; 2.2 is what every current server offers.
    bool usable = ext != nullptr && ext->present != 0;
    if (usable)
    {
        xcb_input_xi_query_version_reply_t* version =
            xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr);
        usable =
            version != nullptr && (version->major_version > 2 ||
                                   (version->major_version == 2 && version->minor_version >= 2));
        free(version);
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (!usable || screens.rem == 0)
    {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::unique_ptr<XInputSource>(
        new XInputSource(c, screens.data->root, ext->major_opcode, std::move(handler)));
}

XInputSource::XInputSource(xcb_connection_t* c, uint32_t root, uint8_t opcode, Handler handler)
    : m_pConnection(c), m_root(root), m_opcode(opcode), m_handler(std::move(handler))
{
    m_pNotifier = new QSocketNotifier(xcb_get_file_descriptor(c), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, [this] { ReadEvents(); });
}

XInputSource::~XInputSource()
{
    delete m_pNotifier;
    xcb_disconnect(m_pConnection);
}

void XInputSource::Select(bool bKeys, bool bButtons)
{
    if (bKeys == m_bKeys && bButtons == m_bButtons)
        return;
    m_bKeys = bKeys;
    m_bButtons = bButtons;
    struct
    {
        xcb_input_event_mask_t head;
        uint32_t mask;
    } masks{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, 0};
    if (bKeys)
        masks.mask |=
            XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;
    if (bButtons)
        masks.mask |=
            XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    xcb_input_xi_select_events(m_pConnection, m_root, 1, &masks.head);
    xcb_flush(m_pConnection);
    // Events read along with other traffic wait in the queue, not on the socket.
    ReadEvents();
}

void XInputSource::ReadEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_pConnection))
    {
        if ((event->response_type & 0x7F) == XCB_GE_GENERIC)
        {
            const auto* ge = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
            const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
            const bool key = ge->event_type == XCB_INPUT_RAW_KEY_PRESS ||
                             ge->event_type == XCB_INPUT_RAW_KEY_RELEASE;
            const bool button = ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS ||
                                ge->event_type == XCB_INPUT_RAW_BUTTON_RELEASE;
            // Raw button events share the key events' layout up to detail.
            if (ge->extension == m_opcode && ((key && m_bKeys) || (button && m_bButtons)))
                m_handler(key, raw->detail,
                          ge->event_type == XCB_INPUT_RAW_KEY_RELEASE ||
                              ge->event_type == XCB_INPUT_RAW_BUTTON_RELEASE,
                          raw->time);
        }
        free(event);
    }
    // A server that went away leaves the socket readable for ever.
    if (xcb_connection_has_error(m_pConnection) != 0)
        m_pNotifier->setEnabled(false);
}
