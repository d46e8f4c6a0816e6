// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's own texts (context menus of the fields, standard dialogs) in
// Russian, as the program's own are: Qt's translation qtbase_ru from the
// toolkit's translations folder, or from the program itself where it is
// built in (the Windows build). Without that file they stay as they are.
#ifndef TRANSLATION_H
#define TRANSLATION_H

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

inline bool installToolkitTranslation(QCoreApplication *app)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    auto *translator = new QTranslator(app);
    if ((translator->load(QStringLiteral("qtbase_ru"), folder)
         || translator->load(QStringLiteral("qtbase_ru"), QStringLiteral(":/translations")))
        && app->installTranslator(translator))
        return true;
    delete translator;
    return false;
}

#endif // TRANSLATION_H
