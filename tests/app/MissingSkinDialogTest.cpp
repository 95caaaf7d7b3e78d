// Every dialog and small window without its skin: never shown, ended as
// cancelled, and said on stderr.

#include "app/MsgWnd.h"
#include "app/VirtualMousePanel.h"
#include "buttons/SelectGunWnd.h"
#include "buttons/SelectMacroWnd.h"
#include "buttons/ShortcutWnd.h"
#include "device/VirtualMouse.h"
#include "lighting/SelectColorWnd.h"
#include "macros/EditMacroName.h"
#include "performance/DPIMsg.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ModalDialog.h"

#include <filesystem>
#include <functional>

namespace
{

struct Dialog
{
    const char* skin;
    // Made the way its callers make it: a modal run's code, or for the
    // windows that are not modal, 1 when Create made them.
    std::function<UINT()> run;
};

template <typename T> UINT RunModal(T&& dialog)
{
    return RunModalDialog(dialog, nullptr, nullptr, QStringLiteral("Test"));
}

const Dialog kDialogs[] = {
    {"msg.xml",
     []
     {
         return CMsgWnd::ShowMessage(nullptr, nullptr, "warning_title_text", "delete_profile_text",
                                     MsgKind::Question);
     }},
    {"selectcolor.xml",
     []
     {
         DWORD color = 0xFF102030;
         return static_cast<UINT>(CSelectColorWnd::PickColor(nullptr, nullptr, color));
     }},
    {"editname.xml",
     []
     {
         return static_cast<UINT>(CEditMacroName::AskName(nullptr, nullptr,
                                                          CEditNameWnd::kAddFolder, g_vecMacro, u"",
                                                          u"")
                                      .has_value());
     }},
    {"shortcut.xml", [] { return RunModal(CShortcutWnd()); }},
    {"selectmacro.xml", [] { return RunModal(CSelectMacroWnd()); }},
    {"selectgun.xml", [] { return RunModal(CSelectGunWnd()); }},
    {"dpi.xml",
     []
     {
         auto* popup = new CDPIMsg(QStringLiteral("DPI :800")); // deletes itself
         return static_cast<UINT>(popup->Create(nullptr, QString(), WS_POPUP | WS_VISIBLE,
                                                WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                                0, 0, 800, 800) != nullptr);
     }},
    {"virtualmouse.xml",
     []
     {
         CVirtualMousePanel panel(std::make_shared<VirtualMouse>(DeviceDescription{}));
         return static_cast<UINT>(
             panel.Create(nullptr, QString(), WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW) != nullptr);
     }},
};

class MissingSkinDialogTest : public UiTest
{
};

} // namespace

TEST_F(MissingSkinDialogTest, IsNeitherShownNorConfirmedAndNamesItsFile)
{
    for (const Dialog& dialog : kDialogs)
    {
        std::filesystem::remove(m_folder.Path() / "res" / dialog.skin);
        const ModalDialogWatch watch;
        testing::internal::CaptureStderr();
        EXPECT_EQ(dialog.run(), 0u) << dialog.skin;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(watch.opened, 0) << dialog.skin;
        const std::string line =
            std::string("vestrel: skin res/") + dialog.skin + ": cannot be read";
        EXPECT_NE(err.find(line), std::string::npos) << err;
    }
}
