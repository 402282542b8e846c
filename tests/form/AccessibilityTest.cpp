#include "form/Accessibility.h"
#include "form/Controls.h"
#include "form/TextBox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <iostream>

TEST(Accessibility, NamesComeFromCaptionsOrTooltipsWithoutShortcuts)
{
    const struct {
        const char *caption, *toolTip, *name;
    } cases[] = {
        {"\u25B6", " [Alt+S]: Start / Stop ", "Start / Stop"},
        {"\u2913", " [Alt+W]: Text als .WAV speichern ... ", "Text als .WAV speichern"},
        {"&Groß-/Kleinschreibung", " Auf Groß-/Kleinschreibung achten ", "Groß-/Kleinschreibung"},
        {"Salt && Pepper", "", "Salt & Pepper"},
        {"", " Stimme ", "Stimme"},
        {"\u21BA", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(form::accessibleNameFrom(QString::fromUtf8(c.caption), QString::fromUtf8(c.toolTip)),
                  QString::fromUtf8(c.name));
}

// Walks the window's Tab order as a keyboard user does (Ctrl+Tab out of the text box) and prints every stop.
TEST(Accessibility, TabOrderReachesEveryControlAndEachHasItsOwnName)
{
    QWidget window;
    window.resize(form::kFullWidth, form::kFullHeight);
    const form::Controls c = form::buildControls(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    QPlainTextEdit* editor = c.tAusgabe->editor();
    editor->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->hasFocus(); }));

    // Tab types a tab in the text box and stays there.
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("\t"));
    EXPECT_TRUE(editor->hasFocus());

    QList<QWidget*> stops;
    QSet<QString> names;
    for (QWidget* focus = editor; stops.size() < 100;) {
        stops.append(focus);
        const QString name = focus->accessibleName();
        const QWidget* named = focus == editor ? c.tAusgabe : focus;
        std::cout << "  " << named->objectName().toStdString() << ": " << name.toStdString() << '\n';
        EXPECT_FALSE(name.isEmpty()) << focus->objectName().toStdString();
        EXPECT_FALSE(names.contains(name)) << "two controls are called " << name.toStdString();
        names.insert(name);
        QTest::keyClick(focus, Qt::Key_Tab, focus == editor ? Qt::ControlModifier : Qt::NoModifier);
        focus = QApplication::focusWidget();
        if (focus == editor || stops.contains(focus))
            break;
    }
    EXPECT_EQ(QApplication::focusWidget(), editor) << "the Tab order does not come back round";
    const qsizetype rate = stops.indexOf(c.hsRate);
    EXPECT_GT(rate, stops.indexOf(c.coDevice));
    EXPECT_EQ(stops.indexOf(c.hsVolume), rate + 1);
    EXPECT_EQ(stops.indexOf(c.vsUpDown), stops.indexOf(c.cSkip) + 1);
    for (QWidget* control : {static_cast<QWidget*>(c.tPath), static_cast<QWidget*>(c.tFile),
                             static_cast<QWidget*>(c.liWords), static_cast<QWidget*>(c.tWL1)})
        EXPECT_TRUE(stops.contains(control)) << control->objectName().toStdString();

    // Ctrl+Shift+Tab leaves the text box backwards.
    QTest::keyClick(editor, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), stops.last());
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("\t"));
}

// At the default font (DejaVu Sans on Debian) no caption is cut off, and no control leaves its frame or covers another.
TEST(Accessibility, EveryCaptionFitsItsControlInsideItsFrame)
{
    QWidget window;
    const form::Controls c = form::buildControls(&window);
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(button))
            continue; // glyphs and short words, centred
        EXPECT_LE(button->sizeHint().width(), button->width())
            << button->objectName().toStdString() << " \"" << button->text().toStdString() << "\"";
        EXPECT_TRUE(button->parentWidget()->rect().contains(button->geometry())) << button->objectName().toStdString();
        for (QWidget* other : button->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect overlap = other->geometry() & button->geometry(); // a pixel of twip rounding is no cover
            EXPECT_TRUE(other == button || other->isHidden() || overlap.height() <= 1 || overlap.width() <= 1)
                << button->objectName().toStdString() << " covers " << other->objectName().toStdString();
        }
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->wordWrap() && !label->text().isEmpty()) {
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->objectName().toStdString();
        }
    }
}
