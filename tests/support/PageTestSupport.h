#pragma once
// Pieces shared by the tests of the data pages: a plausible profile whose
// unused bytes carry a pattern, and a check that an edit touched one field only.

#include "model/ProfileData.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>

inline std::unique_ptr<ProfileData> SampleProfile()
{
    auto p = std::make_unique<ProfileData>();
    // Stray writes into bytes no page owns show up against this pattern.
    std::memset(static_cast<void*>(p.get()), 0xA5, sizeof(ProfileData));
    p->iPointerSpeed = 6;
    p->iScrollLines = 3;
    p->iDoubleClickSpeed = 5;
    p->bEnhancePointer = 0;
    p->bOnePageScroll = 0;
    p->iReportRate = 2;
    p->iDpiLevel = 1;
    for (int i = 0; i < 8; ++i)
        p->aiDpi[i] = 10 * (i + 1);
    p->byMaxDpi = 8;
    const Rgb0 table[8] = {{255, 0, 0, 0},   {0, 255, 0, 0},    {0, 0, 255, 0},
                           {255, 255, 0, 0}, {255, 0, 255, 0},  {0, 255, 255, 0},
                           {255, 128, 0, 0}, {255, 255, 255, 0}};
    for (int i = 0; i < 8; ++i)
    {
        p->aDpiColor[i] = table[i];
        p->aCycleColor[i] = table[7 - i];
    }
    p->iLightMode = 9;
    p->iBrightness = 200;
    p->iLightSpeed = 3;
    p->iColorMode = 1;
    p->iLightLength = 2;
    p->rgbLight = Rgb0{12, 34, 56, 0};
    p->iLiftOffDistance = 2;
    p->bDistanceEnabled = 0;
    p->byKeyResponse = 4;
    return p;
}

// Every byte outside [offset, offset + size) is as before.
inline void ExpectOnlyChanged(const ProfileData& before, const ProfileData& after, size_t offset,
                              size_t size)
{
    auto a = reinterpret_cast<const unsigned char*>(&before);
    auto b = reinterpret_cast<const unsigned char*>(&after);
    for (size_t i = 0; i < sizeof(ProfileData); ++i)
    {
        if (i >= offset && i < offset + size)
            continue;
        ASSERT_EQ(a[i], b[i]) << "byte " << i << " changed";
    }
}

inline void ExpectUnchanged(const ProfileData& before, const ProfileData& after)
{
    ExpectOnlyChanged(before, after, 0, 0);
}

#define EXPECT_ONLY_FIELD_CHANGED(before, after, field)                                            \
    ExpectOnlyChanged(before, after, offsetof(ProfileData, field), sizeof(ProfileData::field))

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

// Acts on the modal dialog as the user would, once its run has started.
inline void WhenDialogOpens(std::function<void(QWidget* dialog)> act)
{
    QTimer::singleShot(0,
                       [act]
                       {
                           QWidget* dialog = QApplication::activeModalWidget();
                           ASSERT_NE(dialog, nullptr);
                           act(dialog);
                       });
}

inline void TypeInto(QWidget* dialog, const char* edit, const QString& text)
{
    auto* e = dialog->findChild<QLineEdit*>(edit);
    ASSERT_NE(e, nullptr) << edit;
    // Delete what is there first, so that typing nothing empties the field.
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
}

inline void Press(QWidget* dialog, const char* button)
{
    QWidget* b = dialog->findChild<QWidget*>(button);
    ASSERT_NE(b, nullptr) << button;
    QTest::mouseClick(b, Qt::LeftButton);
}

// Counts the modal dialogs that open and ends each at once as the user would
// with Escape, so that one that should not have opened fails a test rather
// than hanging it.
class ModalDialogWatch
{
public:
    ModalDialogWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this]
                         {
                             if (QWidget* dialog = QApplication::activeModalWidget())
                             {
                                 ++opened;
                                 QTest::keyClick(dialog, Qt::Key_Escape);
                             }
                         });
        m_timer.start(0);
    }
    int opened = 0;

private:
    QTimer m_timer;
};
