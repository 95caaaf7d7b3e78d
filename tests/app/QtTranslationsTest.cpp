// Qt's own dialog texts follow the language the program shows.

#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <gtest/gtest.h>

TEST(QtTranslations, FollowTheChosenLanguageAndEnglishNeedsNone)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qtbase_zh_CN.qm")))
        GTEST_SKIP() << "qt6-translations-l10n is not installed (scripts/setup installs it)";
    // The question Qt's save dialog asks before it replaces a file.
    const auto replaceQuestion = []
    {
        return QCoreApplication::translate("QFileDialog",
                                           "%1 already exists.\nDo you want to replace it?");
    };
    LoadQtTranslations(2); // a language switch of an earlier test may linger
    const QString english = replaceQuestion();
    ASSERT_TRUE(english.startsWith(QStringLiteral("%1 already exists.")));

    LoadQtTranslations(0);
    const QString simplified = replaceQuestion();
    EXPECT_NE(simplified, english);
    LoadQtTranslations(1);
    const QString traditional = replaceQuestion();
    EXPECT_NE(traditional, english);
    EXPECT_NE(traditional, simplified);
    LoadQtTranslations(2);
    EXPECT_EQ(replaceQuestion(), english);
}
