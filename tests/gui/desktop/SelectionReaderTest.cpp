#include "DesktopTest.h"

#include "gui/desktop/SelectionReader.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace desktop;

namespace {

// Another client that owns a selection with the text while it runs.
struct SelectionOwner : QProcess {
    SelectionOwner(const char* selection, const QByteArray& text)
    {
        start(QStringLiteral("xclip"), {"-quiet", "-selection", selection, "-i"});
        write(text);
        closeWriteChannel();
    }
    ~SelectionOwner() override
    {
        kill();
        waitForFinished(5000);
    }
};

QString selection()
{
    const core::ResultOf<QString> text = readSelection();
    return text ? text.value() : text.error();
}

} // namespace

// The text another program selected, taken from the primary selection, never from the clipboard; blanks are nothing.
TEST(SelectionReader, ReadsWhatAnotherProgramSelected)
{
    if (const QString missing = missingForX11({"xclip"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    EXPECT_EQ(selection(), "nothing selected");
    const SelectionOwner clipboard("clipboard", "Kopiert");
    EXPECT_TRUE(eventually([] { return readClipboard().ok(); }));
    EXPECT_EQ(readClipboard().value(), "Kopiert");
    EXPECT_EQ(selection(), "nothing selected");

    const SelectionOwner marked("primary", "Markiert\nüber zwei Zeilen");
    EXPECT_TRUE(eventually([] { return selection() == "Markiert\nüber zwei Zeilen"; })) << selection().toStdString();
    const SelectionOwner blanks("primary", " \n\t");
    EXPECT_TRUE(eventually([] { return selection() == "nothing selected"; })) << selection().toStdString();
}
