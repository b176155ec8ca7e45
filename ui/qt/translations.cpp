#include "ui/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tessarin {

bool LoadToolkitFrench(QCoreApplication& app) {
  // The window's own texts are French and fixed; only the toolkit's need a
  // catalogue (Debian ships it in qt6-translations-l10n).
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace tessarin
