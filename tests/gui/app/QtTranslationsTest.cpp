#include "gui/app/QtTranslations.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(QtTranslations, StandardButtonsReadGerman)
{
    ASSERT_TRUE(app::loadGermanQtTranslations(*qApp)) << "qt6-translations-l10n is not installed";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text() + box.button(QMessageBox::No)->text() +
                  box.button(QMessageBox::Cancel)->text(),
              "&Ja&NeinAbbrechen");
    for (QTranslator* translator : qApp->findChildren<QTranslator*>())
        delete translator; // the other tests expect Qt's own texts
}
