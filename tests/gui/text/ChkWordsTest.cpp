#include "gui/text/ChkWords.h"
#include "base/text/ReplaceString.h"
#include "gui/form/Controls.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/text/DictionaryList.h"
#include "support/FakeClock.h"
#include "support/MessageRecorder.h"

#include <QCheckBox>
#include <QListWidget>
#include <QWidget>

#include <gtest/gtest.h>

// The pass shows no boxes itself: a rewrite that met an empty pattern ("*" in a text without a blank) is reported
// by ChkWords, once per such rewrite, and the pass goes on.
TEST(ChkWords, ShowsTheEmptyPatternMessageForEachRewriteThatMetOne)
{
    QWidget window;
    const form::Controls c = form::buildControls(&window);
    text::DictionaryList dictionary(c, QString());
    for (const QString& row : {QStringLiteral("*") + text::kEntrySeparator + QStringLiteral("X"),
                               QStringLiteral("*") + text::kEntrySeparator + QStringLiteral("Y")}) {
        auto* item = new QListWidgetItem(row, c.liWords);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    c.ckWords->setCheckState(Qt::Checked);
    c.tAusgabe->setText(QStringLiteral("eins"));
    form::WindowState state;
    MessageRecorder boxes;

    EXPECT_TRUE(text::ChkWords(c, state, dictionary, FakeClock(), QLocale(QLocale::German)).ok());
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("Y"));
    ASSERT_EQ(boxes.messages().size(), 2);
    EXPECT_EQ(boxes.messages()[1].title, core::emptyPatternMessage().title);
    EXPECT_EQ(boxes.messages()[1].text, core::emptyPatternMessage().text);
}
