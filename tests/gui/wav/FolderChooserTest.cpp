#include "gui/wav/FolderChooser.h"
#include "base/core/FolderField.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

TEST(FolderField, SplitAndJoin)
{
    struct Case {
        const char* field;
        const char* folder;
        const char* remainder;
    };
    for (const Case& c :
         {Case{"/home/anna/", "/home/anna/", ""}, Case{"/home/anna/gruss.wav", "/home/anna/", "gruss.wav"},
          Case{"/", "/", ""}, Case{"ohne Schrägstrich", "", ""}}) {
        const wav::FolderField field = wav::splitFolderField(QString::fromUtf8(c.field));
        EXPECT_EQ(field.folder, QString::fromUtf8(c.folder)) << c.field;
        EXPECT_EQ(field.remainder, QString::fromUtf8(c.remainder)) << c.field;
    }
    EXPECT_EQ(wav::joinFolderField(QStringLiteral("/tmp"), QStringLiteral("x.wav")), QStringLiteral("/tmp/x.wav"));
}

namespace {

// Answers the chooser that is about to open modally by clicking one of its buttons.
void answerChooser(const char* button, const QString& doubleClickFolder = QString())
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<wav::FolderChooser*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (!doubleClickFolder.isEmpty())
            dialog->showFolder(doubleClickFolder);
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    });
}

} // namespace

TEST(FolderChooser, OpensAtTheFieldsFolderAndChangesItOnlyOnDoubleClick)
{
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("unter")));

    wav::FolderChooser chooser(root + QStringLiteral("/gruss.wav"), nullptr);
    EXPECT_EQ(chooser.currentFolder(), root);
    auto* list = chooser.findChild<QListWidget*>(QStringLiteral("Dir1"));
    const QList<QListWidgetItem*> found = list->findItems(QStringLiteral("unter"), Qt::MatchEndsWith);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found[0]); // a single click only highlights
    EXPECT_EQ(chooser.fieldText(), root + QStringLiteral("/gruss.wav"));
    emit list->itemDoubleClicked(found[0]);
    EXPECT_EQ(chooser.fieldText(), root + QStringLiteral("/unter/gruss.wav"));

    // A folder that is gone, or a field without any "/", opens elsewhere without a message.
    EXPECT_EQ(wav::FolderChooser(root + QStringLiteral("/fehlt/"), nullptr).currentFolder(), QDir::homePath());
    EXPECT_EQ(wav::FolderChooser(QStringLiteral("SpeechOut"), nullptr).currentFolder(), QDir::homePath());

    // Cancel leaves the field alone; OK after a double-click on the root writes "/" once.
    QString field = root + QLatin1Char('/');
    answerChooser("Cab", QStringLiteral("/"));
    wav::FolderChooser::choose(nullptr, &field);
    EXPECT_EQ(field, root + QLatin1Char('/'));
    answerChooser("Cok", QStringLiteral("/"));
    wav::FolderChooser::choose(nullptr, &field);
    EXPECT_EQ(field, QStringLiteral("/"));
}
