#include "gui/speech/EventLog.h"
#include "support/FakeClock.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct LogRig {
    QWidget window;
    QPlainTextEdit* box = new QPlainTextEdit(&window);
    QCheckBox* showEvents = new QCheckBox(&window);
    FakeClock clock{QDateTime(QDate(2026, 12, 5), QTime(14, 3, 7, 250))};
    speech::EventLog log{box, showEvents, clock};

    // What the widget must show for the log's exact text.
    QString shown() const
    {
        QString text = log.text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return text;
    }
};

TEST(EventLog, LongLogLosesItsFirst10240CharactersBeforeTheNextLine)
{
    for (const qsizetype length : {64000, 64001}) { // one line of n x's is n + 15 characters long
        LogRig rig;
        rig.log.AppendLog(QString(length - 15, QLatin1Char('x')));
        const QString before = rig.log.text();
        rig.log.AppendLog(QStringLiteral("Stop"));
        EXPECT_EQ(rig.log.text(), (length > 64000 ? before.mid(10240) : before) + "14:03:07,25  Stop\r\n") << length;
        EXPECT_EQ(rig.box->toPlainText(), rig.shown()) << length;
    }
}

TEST(EventLog, CutBetweenCrAndLfKeepsWidgetAndTextInStep)
{
    LogRig rig;
    rig.log.AppendLog(QString(10226, QLatin1Char('a'))); // its CR is character 10239, the last one cut
    rig.log.AppendLog(QString(60000, QLatin1Char('b')));
    rig.log.AppendLog(QStringLiteral("Stop"));
    ASSERT_TRUE(rig.log.text().startsWith(QStringLiteral("\n14:03:07,25  bbb")));
    EXPECT_EQ(rig.box->toPlainText(), rig.shown());
}

} // namespace
