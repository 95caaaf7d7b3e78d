#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void LoadQtTranslations(int languageIndex)
{
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    const char* file = languageIndex == 0   ? "qtbase_zh_CN"
                       : languageIndex == 1 ? "qtbase_zh_TW"
                                            : nullptr;
    if (file != nullptr && translator.load(QString::fromLatin1(file),
                                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}
