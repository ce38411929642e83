// Qt's own dialogs in Slovak once the start-up has loaded Qt's translation.
#include "platform/ui/QtTranslation.h"

#include "common/PersonTyping.h"
#include "common/WhenModal.h"

#include <QFileDialog>
#include <QLabel>
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QTabWidget>
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

// Every caption a person reads in a window: title, labels, buttons, frames, tabs, list items, hints.
QStringList captionsOf(QWidget *window)
{
    QStringList texts{window->windowTitle()};
    for (QLabel *l : window->findChildren<QLabel *>())
        texts << l->text();
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        texts << b->text();
    for (QGroupBox *g : window->findChildren<QGroupBox *>())
        texts << g->title();
    for (QTabWidget *t : window->findChildren<QTabWidget *>())
        for (int i = 0; i < t->count(); ++i)
            texts << t->tabText(i);
    for (QComboBox *c : window->findChildren<QComboBox *>())
        for (int i = 0; i < c->count(); ++i)
            texts << c->itemText(i);
    for (QWidget *w : window->findChildren<QWidget *>())
        texts << w->toolTip();
    for (QString &t : texts)
        t.remove('&');
    return texts;
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

// The print dialog and the printer properties it opens: none of Qt's English captions is left.
TEST(QtTranslation, PrintDialogAndPrinterPropertiesHaveNoEnglishLeft)
{
    ASSERT_TRUE(LoadQtTranslation());
    QPrinter printer;
    QPrintDialog print(&printer);
    ASSERT_TRUE(ShowActive(&print, "the print dialog comes up"));
    QStringList texts = captionsOf(&print);

    auto *properties = print.findChild<QAbstractButton *>(QStringLiteral("properties"));
    ASSERT_TRUE(properties) << "the print dialog has its button Vlastnosti";
    bool propertiesSeen = false;
    WhenModal<QDialog>(
        [&](QDialog *dialog) {
            propertiesSeen = true;
            texts << captionsOf(dialog);
            dialog->reject();
        },
        &print);
    QTest::mouseClick(properties, Qt::LeftButton);
    ASSERT_TRUE(WaitFor("the printer properties come up and close", [&] { return propertiesSeen; }));

    const char *english[] = {
        "Pages",
        "Page Set:",
        "All Pages",
        "Odd Pages",
        "Even Pages",
        "Double Sided Printing",
        "Off",
        "Long side binding",
        "Short side binding",
        "Printer Properties",
        "Job Options",
        "Advanced",
        "Page Layout",
        "Page order:",
        "Pages per sheet:",
        "Left to Right, Top to Bottom",
        "Top to Bottom, Right to Left",
        "Job Control",
        "Scheduled printing:",
        "Print Immediately",
        "Banner Pages",
        "Top Secret",
        "Custom",
        "Envelope C5",
        "Cancel",
        "Page",
    };
    for (const char *e : english)
        EXPECT_FALSE(texts.contains(QString::fromLatin1(e))) << e;
    EXPECT_FALSE(texts.filter(QStringLiteral("Specify pages")).size()) << "the hint at the page ranges";
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Vlastnosti tlačiarne"))) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Obálka C5"))) << "paper names keep their format name";
}
