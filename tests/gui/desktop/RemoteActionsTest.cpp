#include "gui/desktop/RemoteClient.h"
#include "gui/desktop/RemoteService.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <gtest/gtest.h>

#include <future>

using namespace desktop;
using Status = RemoteReply::Status;

namespace {

// Runs a client call on another thread while this one's event loop lets the services answer.
template <typename Call> auto offThread(Call call)
{
    auto result = std::async(std::launch::async, call);
    while (result.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return result.get();
}

RemoteReply ask(RemoteAction action)
{
    return offThread([action] { return callRemoteAction(action, QDBusConnection::sessionBus()); });
}

} // namespace

// Two windows on one session bus: the first registered answers every action (a refusal with its reason, an action
// it has no handler for), the second waits and takes over when the first ends; the command's exit codes follow.
TEST(RemoteActions, TheFirstRegisteredWindowTakesThemAndHandsThemOn)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no private session bus (dbus-daemon is not installed)";
    QStringList calls;
    auto first = std::make_unique<RemoteService>();
    first->setHandler(RemoteAction::ReadSelection, [&] {
        calls << "first reads";
        return core::Result::failure(QStringLiteral("nothing selected"));
    });
    first->setHandler(RemoteAction::Show, [&] { return calls << "first shows", core::Result(); });
    RemoteService second;
    second.setHandler(RemoteAction::Show, [&] { return calls << "second shows", core::Result(); });
    ASSERT_TRUE(first->registerOn(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "first")).ok());
    ASSERT_TRUE(second.registerOn(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second")).ok());
    EXPECT_TRUE(first->ownsName());
    EXPECT_FALSE(second.ownsName());

    const RemoteReply refused = ask(RemoteAction::ReadSelection);
    EXPECT_EQ(refused.status, Status::NotDone);
    EXPECT_EQ(refused.reason, "nothing selected");
    EXPECT_EQ(ask(RemoteAction::Show).status, Status::Done);
    EXPECT_EQ(ask(RemoteAction::Stop).status, Status::NotDone);
    EXPECT_EQ(offThread([] { return sendRemoteAction(RemoteAction::ReadSelection); }), 1);
    EXPECT_EQ(offThread([] { return sendRemoteAction(RemoteAction::Show); }), 0);

    first.reset();
    QDBusConnection::disconnectFromBus("first");
    EXPECT_EQ(ask(RemoteAction::Show).status, Status::Done);
    EXPECT_TRUE(second.ownsName());
    EXPECT_EQ(calls, QStringList({"first reads", "first shows", "first reads", "first shows", "second shows"}));
}

// With no window on the bus, or no bus, the command learns that it has to start the program itself.
TEST(RemoteActions, NoWindowOrNoBusLeavesTheActionToANewWindow)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no private session bus (dbus-daemon is not installed)";
    EXPECT_EQ(callRemoteAction(RemoteAction::Pause, QDBusConnection::sessionBus()).status, Status::NoWindow);
    EXPECT_EQ(callRemoteAction(RemoteAction::Pause, QDBusConnection(QStringLiteral("none"))).status, Status::NoWindow);
    EXPECT_EQ(sendRemoteAction(RemoteAction::Pause), std::nullopt);
}
