#include "text/DictionaryEditor.h"
#include "form/Controls.h"
#include "support/MessageRecorder.h"
#include "text/DictionaryRow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

enum class Op { Add, RemoveYes, RemoveNo, Up, Down, TypeSearch, TypeReplacement, EraseSearch, ProgramWrite, Select };

// Rows as "search•replacement", with "*" for a ticked check box.
const QStringList kRows{"a•1*", "b•2", "c•3", "•x*", "d•4*", "•"};

struct Case {
    const char* name;
    int current; // before the operation; -1 = no current row
    Op op;
    QStringList rows;
    int currentAfter;
    const char* searchBox = nullptr; // tWL1 afterwards, when checked
};

const Case kCases[] = {
    {"add on the empty row at the end", 5, Op::Add, {"a•1*", "b•2", "c•3", "d•4*", "•"}, 4, ""},
    {"add in the middle", 1, Op::Add, {"a•1*", "•", "b•2", "c•3", "d•4*"}, 1, ""},
    {"add with no current row", -1, Op::Add, {"a•1*", "b•2", "c•3", "d•4*", "•"}, 4, ""},
    {"remove, yes", 2, Op::RemoveYes, {"a•1*", "b•2", "•x", "d•4*", "•"}, 2, ""},
    {"remove, no", 2, Op::RemoveNo, kRows, 2, "c"},
    {"remove the first row", 0, Op::RemoveYes, {"b•2", "c•3", "•x*", "d•4*", "•"}, -1},
    {"remove the bare empty row", 5, Op::RemoveNo, {"a•1*", "b•2", "c•3", "•x*", "d•4*"}, -1},
    {"remove with no current row", -1, Op::RemoveYes, kRows, -1},
    {"move the first row up", 0, Op::Up, kRows, 0},
    {"move up", 1, Op::Up, {"b•2", "a•1*", "c•3", "•x*", "d•4*", "•"}, 0, "b"},
    {"move down", 0, Op::Down, {"b•2", "a•1*", "c•3", "•x*", "d•4*", "•"}, 1, "a"},
    {"move the last row down", 5, Op::Down, kRows, 5},
    {"type a search word", 2, Op::TypeSearch, {"a•1*", "b•2", "cr•3", "•x*", "d•4*", "•"}, 2, "cr"},
    {"type a replacement", 4, Op::TypeReplacement, {"a•1*", "b•2", "c•3", "•x*", "d•4r*", "•"}, 4, "d"},
    {"erase a search word", 0, Op::EraseSearch, {"•1", "b•2", "c•3", "•x*", "d•4*", "•"}, 0, ""},
    {"the program's writes", 1, Op::ProgramWrite, kRows, 1, "neu"},
    {"typing with no current row", -1, Op::TypeSearch, kRows, -1},
    {"select a row", 2, Op::Select, {"a•1*", "b•2", "c•3", "•x", "d•4*", "•"}, 0, "a"},
};

QString display(const QString& row)
{
    QString text = row;
    text.replace(QStringLiteral("•"), text::kEntrySeparator);
    return text.endsWith(QLatin1Char('*')) ? text.chopped(1) : text;
}

} // namespace

TEST(DictionaryEditor, Operations)
{
    for (const Case& testCase : kCases) {
        QWidget window;
        const form::Controls c = form::buildControls(&window);
        text::DictionaryEditor editor(c);
        MessageRecorder messages;
        // The selection is made before the rows' check boxes are set, so that it clears none of them.
        for (const QString& row : kRows) {
            auto* item = new QListWidgetItem(display(row), c.liWords);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        c.liWords->setCurrentRow(testCase.current);
        for (int i = 0; i < kRows.size(); ++i)
            c.liWords->item(i)->setCheckState(kRows[i].endsWith(QLatin1Char('*')) ? Qt::Checked : Qt::Unchecked);

        switch (testCase.op) {
        case Op::Add:
            editor.Add();
            break;
        case Op::RemoveYes:
        case Op::RemoveNo:
            messages.answerNext(testCase.op == Op::RemoveYes ? core::MessageAnswer::Yes : core::MessageAnswer::No);
            editor.Remove();
            break;
        case Op::Up:
            editor.MoveUp();
            break;
        case Op::Down:
            editor.MoveDown();
            break;
        case Op::TypeSearch:
            QTest::keyClicks(c.tWL1, QStringLiteral("r"));
            break;
        case Op::TypeReplacement:
            QTest::keyClicks(c.tWL2, QStringLiteral("r"));
            break;
        case Op::EraseSearch:
            c.tWL1->end(false);
            QTest::keyClick(c.tWL1, Qt::Key_Backspace);
            break;
        case Op::ProgramWrite:
            c.tWL1->setText(QStringLiteral("neu"));
            break;
        case Op::Select:
            c.liWords->setCurrentRow(0);
            break;
        }

        QStringList rows;
        for (int i = 0; i < c.liWords->count(); ++i) {
            QString row = c.liWords->item(i)->text().replace(text::kEntrySeparator, QStringLiteral("•"));
            rows << row + (c.liWords->item(i)->checkState() == Qt::Checked ? QStringLiteral("*") : QString());
        }
        EXPECT_EQ(rows, testCase.rows) << testCase.name;
        EXPECT_EQ(c.liWords->currentRow(), testCase.currentAfter) << testCase.name;
        if (testCase.searchBox) {
            EXPECT_EQ(c.tWL1->text(), QString::fromUtf8(testCase.searchBox)) << testCase.name;
        }
        const bool asked = testCase.op == Op::RemoveYes || testCase.op == Op::RemoveNo;
        const bool bareRow = testCase.current >= 0 && kRows[testCase.current] == QStringLiteral("•");
        EXPECT_EQ(messages.messages().size(), asked && testCase.current >= 0 && !bareRow ? 1 : 0) << testCase.name;
    }
}
