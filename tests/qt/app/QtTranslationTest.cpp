// Qt's own texts in Japanese from the translations Qt installs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

#include "QtTranslations.h"

namespace vorna::app {
namespace {

TEST(QtTranslationTest, AJapaneseLocaleTranslatesQtsButtonsAndAMissingFileIsNoError) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!QFile::exists(folder + QStringLiteral("/qtbase_ja.qm")))
    GTEST_SKIP() << "Qt's Japanese translations are not installed (qt6-translations-l10n)";
  QTranslator* translator = InstallQtTranslations(QLocale(QLocale::Japanese, QLocale::Japan));
  ASSERT_NE(translator, nullptr);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "キャンセル");
  QCoreApplication::removeTranslator(translator);
  delete translator;
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Cancel");
  // A language Qt has no file for: nothing installed, English stays.
  EXPECT_EQ(InstallQtTranslations(QLocale(QLocale::Swahili, QLocale::Kenya)), nullptr);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Cancel");
}

}  // namespace
}  // namespace vorna::app
