#include "app/FontWarmUp.h"

#include <QFontDatabase>
#include <QStringList>

FontWarmUp::FontWarmUp()
    // Qt's font database is thread-safe: the window's first font lookup
    // waits on its lock while the list is still being read, never reads it twice.
    : m_thread([] { (void)QFontDatabase::families(); })
{
}

FontWarmUp::~FontWarmUp()
{
    m_thread.join();
}
