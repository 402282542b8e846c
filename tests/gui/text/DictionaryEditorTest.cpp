#include "gui/text/DictionaryEditor.h"
#include "base/text/DictionaryRow.h"
#include "gui/app/ControllerWiring.h"
#include "gui/form/Controls.h"
#include "support/MessageRecorder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using Op = void (*)(text::DictionaryEditor&, const form::Controls&);
const Op Add = [](text::DictionaryEditor& e, const form::Controls&) { e.Add(); };
const Op Remove = [](text::DictionaryEditor& e, const form::Controls&) { e.Remove(); }; // answered Yes
const Op RemoveNo = [](text::DictionaryEditor& e, const form::Controls&) { e.Remove(); };
const Op Up = [](text::DictionaryEditor& e, const form::Controls&) { e.MoveUp(); };
const Op Down = [](text::DictionaryEditor& e, const form::Controls&) { e.MoveDown(); };
const Op TypeSearch = [](text::DictionaryEditor&, const form::Controls& c) { QTest::keyClicks(c.tWL1, "r"); };
const Op TypeReplacement = [](text::DictionaryEditor&, const form::Controls& c) { QTest::keyClicks(c.tWL2, "r"); };
const Op EraseSearch = [](text::DictionaryEditor&, const form::Controls& c) {
    c.tWL1->end(false);
    QTest::keyClick(c.tWL1, Qt::Key_Backspace);
};
const Op ProgramWrite = [](text::DictionaryEditor&, const form::Controls& c) { c.tWL1->setText("neu"); };
const Op Select = [](text::DictionaryEditor&, const form::Controls& c) { c.liWords->setCurrentRow(0); };

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
    {"add on the empty row at the end", 5, Add, {"a•1*", "b•2", "c•3", "d•4*", "•"}, 4, ""},
    {"add in the middle", 1, Add, {"a•1*", "•", "b•2", "c•3", "d•4*"}, 1, ""},
    {"add with no current row", -1, Add, {"a•1*", "b•2", "c•3", "d•4*", "•"}, 4, ""},
    {"remove, yes", 2, Remove, {"a•1*", "b•2", "•x", "d•4*", "•"}, 2, ""},
    {"remove, no", 2, RemoveNo, kRows, 2, "c"},
    {"remove the first row", 0, Remove, {"b•2", "c•3", "•x*", "d•4*", "•"}, -1},
    {"remove the bare empty row", 5, RemoveNo, {"a•1*", "b•2", "c•3", "•x*", "d•4*"}, -1},
    {"remove with no current row", -1, Remove, kRows, -1},
    {"move the first row up", 0, Up, kRows, 0},
    {"move up", 1, Up, {"b•2", "a•1*", "c•3", "•x*", "d•4*", "•"}, 0, "b"},
    {"move down", 0, Down, {"b•2", "a•1*", "c•3", "•x*", "d•4*", "•"}, 1, "a"},
    {"move the last row down", 5, Down, kRows, 5},
    {"type a search word", 2, TypeSearch, {"a•1*", "b•2", "cr•3", "•x*", "d•4*", "•"}, 2, "cr"},
    {"type a replacement", 4, TypeReplacement, {"a•1*", "b•2", "c•3", "•x*", "d•4r*", "•"}, 4, "d"},
    {"erase a search word", 0, EraseSearch, {"•1", "b•2", "c•3", "•x*", "d•4*", "•"}, 0, ""},
    {"the program's writes", 1, ProgramWrite, kRows, 1, "neu"},
    {"typing with no current row", -1, TypeSearch, kRows, -1},
    {"select a row", 2, Select, {"a•1*", "b•2", "c•3", "•x", "d•4*", "•"}, 0, "a"},
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
        text::DictionaryEditor editor(app::dictionaryEditorWidgets(c));
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

        messages.answerNext(testCase.op == RemoveNo ? core::MessageAnswer::No : core::MessageAnswer::Yes);
        testCase.op(editor, c);

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
        const bool asked = testCase.op == Remove || testCase.op == RemoveNo;
        const bool bareRow = testCase.current >= 0 && kRows[testCase.current] == QStringLiteral("•");
        EXPECT_EQ(messages.messages().size(), asked && testCase.current >= 0 && !bareRow ? 1 : 0) << testCase.name;
    }
}
