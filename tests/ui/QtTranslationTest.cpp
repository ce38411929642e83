// Qt's own dialogs in Slovak once the start-up has loaded Qt's translation.
#include "platform/ui/QtTranslation.h"

#include <QFileDialog>
#include <QLabel>
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {
QString buttonText(QMessageBox &box, QMessageBox::StandardButton which)
{
    return box.button(which)->text().remove('&');
}
} // namespace

TEST(QtTranslation, MessageBoxFileAndPrintDialogsReadSlovak)
{
    {
        QMessageBox english;
        english.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        ASSERT_EQ(buttonText(english, QMessageBox::Yes), "Yes") << "English before the translation is loaded";
    }
    ASSERT_TRUE(LoadQtTranslation()) << "Qt's Slovak translation (qt6-translations-l10n) is not installed";
    EXPECT_TRUE(LoadQtTranslation()) << "a second call keeps the one translation";

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(buttonText(box, QMessageBox::Yes), QString::fromUtf8("Áno"));
    EXPECT_EQ(buttonText(box, QMessageBox::No), QString::fromUtf8("Nie"));
    EXPECT_EQ(buttonText(box, QMessageBox::Cancel), QString::fromUtf8("Zrušiť"));

    // Qt's own file dialog, as the offscreen and most Linux desktops show it.
    QFileDialog files(nullptr, QStringLiteral("Export"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    QStringList texts;
    for (QLabel *label : files.findChildren<QLabel *>())
        texts << label->text().remove('&');
    for (QPushButton *button : files.findChildren<QDialogButtonBox *>().value(0)->findChildren<QPushButton *>())
        texts << button->text().remove('&');
    EXPECT_FALSE(texts.contains("Cancel")) << texts.join(" | ").toStdString();
    EXPECT_FALSE(texts.contains("File name:")) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Zrušiť"))) << texts.join(" | ").toStdString();

    // Qt's print dialog.
    QPrinter printer;
    QPrintDialog print(&printer);
    EXPECT_EQ(print.windowTitle(), QString::fromUtf8("Tlačiť"));
    QStringList buttons;
    for (QAbstractButton *b : print.findChildren<QAbstractButton *>())
        buttons << b->text().remove('&');
    EXPECT_TRUE(buttons.contains(QString::fromUtf8("Tlačiť"))) << buttons.join(" | ").toStdString();
    EXPECT_TRUE(buttons.contains(QString::fromUtf8("Zrušiť"))) << buttons.join(" | ").toStdString();
}
