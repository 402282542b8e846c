#include "gui/form/Controls.h"
#include "gui/form/TextBox.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <iostream>

// Walks the window's Tab order as a keyboard user does (Ctrl+Tab out of the text box) and prints every stop.
TEST(Accessibility, TabOrderReachesEveryControlAndEachHasItsOwnName)
{
    QWidget window;
    const form::Controls c = form::buildControls(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    QPlainTextEdit* editor = c.tAusgabe->editor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(c.tAusgabe->text(), "\t") << "Tab types a tab in the text box";

    QList<QWidget*> stops;
    QSet<QString> names;
    for (QWidget* focus = editor; focus && !stops.contains(focus); focus = QApplication::focusWidget()) {
        stops.append(focus);
        const QString name = focus->accessibleName(), shown = (focus == editor ? c.tAusgabe : focus)->objectName();
        std::cout << "  " << qPrintable(shown) << ": " << qPrintable(name) << '\n';
        EXPECT_FALSE(name.isEmpty() || names.contains(name)) << "no name, or a second \"" << name.toStdString() << '"';
        names.insert(name);
        QTest::keyClick(focus, Qt::Key_Tab, focus == editor ? Qt::ControlModifier : Qt::NoModifier);
    }
    EXPECT_EQ(QApplication::focusWidget(), editor) << "the Tab order does not come back round";
    EXPECT_EQ(stops.indexOf(c.hsVolume), stops.indexOf(c.hsRate) + 1);
    EXPECT_EQ(stops.indexOf(c.hsRate), stops.indexOf(c.coDevice) + 1);
    EXPECT_EQ(stops.indexOf(c.vsUpDown), stops.indexOf(c.cSkip) + 1);

    QTest::keyClick(editor, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), stops.last()) << "Ctrl+Shift+Tab leaves the text box backwards";
}

// At the default font (DejaVu Sans on Debian) no caption is cut off, and no control leaves its frame or covers another.
TEST(Accessibility, EveryCaptionFitsItsControlInsideItsFrame)
{
    QWidget window;
    form::buildControls(&window);
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(button))
            continue; // glyphs and short words, centred
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
        for (QWidget* other : button->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect overlap = other->geometry() & button->geometry(); // a pixel of twip rounding is no cover
            EXPECT_TRUE(other == button || other->isHidden() || qMin(overlap.height(), overlap.width()) <= 1)
                << button->objectName().toStdString() << " covers " << other->objectName().toStdString();
        }
        EXPECT_TRUE(button->parentWidget()->rect().contains(button->geometry())) << button->objectName().toStdString();
    }
}
